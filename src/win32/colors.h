#pragma once

#include <windows.h>

#include "ui/graphics.h"

namespace nexolant::win32 {

// The COLORREF of a model colour; fallback stands for "default".
COLORREF ToColorRef(const ui::Color& color, COLORREF fallback);

}  // namespace nexolant::win32
