#include "win32/graphic_window.h"

#include "win32/gdi.h"
#include "win32/scene.h"

namespace nexolant::win32 {

GraphicWindow::GraphicWindow(RenderContext& context, ui::Control& control, HWND parent)
    : ControlWindow(context, control) {
  CreateChild("STATIC", SS_OWNERDRAW | SS_NOTIFY, 0, parent);
  SetClicksOnRelease(true);
  ApplyAll();
}

void GraphicWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
  const RECT& rect = item.rcItem;
  const BufferedPaint buffer(Context().Surface(), item.hDC, rect.right, rect.bottom);
  const HDC dc = buffer.Dc();
  switch (Model().Kind()) {
    case ui::ControlKind::kShape:
      DrawShape(dc, static_cast<const ui::Shape&>(Model()), rect);
      break;
    case ui::ControlKind::kImage:
      PaintBehind(dc, Model(), Handle(), Context());
      DrawImage(dc, static_cast<const ui::Image&>(Model()), rect, Context());
      break;
    case ui::ControlKind::kBevel:
      PaintBehind(dc, Model(), Handle(), Context());
      DrawBevel(dc, static_cast<const ui::Bevel&>(Model()), rect);
      break;
    default:
      break;
  }
}

}  // namespace nexolant::win32
