#pragma once

#include <windows.h>

#include "ui/control.h"
#include "ui/graphic_controls.h"
#include "win32/render_context.h"

namespace nexolant::win32 {

// Drawing of the kinds that are only pictures (Shape, Image, Bevel), into a rectangle of a
// device context; used by their own windows and by the windows above them that let them
// show through.
void DrawShape(HDC dc, const ui::Shape& shape, const RECT& rect);
void DrawImage(HDC dc, const ui::Image& image, const RECT& rect, RenderContext& context);
void DrawBevel(HDC dc, const ui::Bevel& bevel, const RECT& rect);

// Paints what lies beneath control's window into dc, whose origin is the window's top left
// corner: its container's background and the picture-only controls created before it that
// it overlaps.
void PaintBehind(HDC dc, const ui::Control& control, HWND window, RenderContext& context);

}  // namespace nexolant::win32
