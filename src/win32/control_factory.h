#pragma once

#include <windows.h>

#include <memory>

#include "ui/control.h"
#include "win32/control_window.h"

namespace nexolant::win32 {

// Makes the window of one control, of the kind the model says, as a child of parent.
std::unique_ptr<ControlWindow> CreateControlWindow(RenderContext& context, ui::Control& control,
                                                   HWND parent);

}  // namespace nexolant::win32
