#include "win32/scene.h"

#include "ui/notebook.h"
#include "win32/colors.h"
#include "win32/gdi.h"

namespace nexolant::win32 {

namespace {

constexpr COLORREF kSkinTransparent = RGB(255, 0, 255);

}  // namespace

void DrawShape(HDC dc, const ui::Shape& shape, const RECT& rect) {
  const UniqueGdiObject brush(CreateSolidBrush(ToColorRef(shape.Color(), RGB(255, 255, 255))));
  const UniqueGdiObject pen(CreatePen(PS_SOLID, 1, ToColorRef(shape.PenColor(), RGB(0, 0, 0))));
  const SelectedObject selectedBrush(dc, brush.get());
  const SelectedObject selectedPen(dc, pen.get());
  Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
}

void DrawImage(HDC dc, const ui::Image& image, const RECT& rect, RenderContext& context) {
  const Picture* picture = context.Pictures().Find(image.Picture());
  if (!picture) {
    return;
  }
  const int width = context.Scale(picture->width);
  const int height = context.Scale(picture->height);
  int x = rect.left;
  int y = rect.top;
  if (image.Center()) {
    x += (rect.right - rect.left - width) / 2;
    y += (rect.bottom - rect.top - height) / 2;
  }
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
  // Magenta pixels let what lies beneath show, as in every picture of the skin.
  DrawPicture(dc, *picture, x, y, width, height, kSkinTransparent);
  RestoreDC(dc, saved);
}

void DrawBevel(HDC dc, const ui::Bevel& bevel, const RECT& rect) {
  RECT line = rect;
  switch (bevel.BevelShape()) {
    case ui::BevelShape::kBox:
      DrawEdge(dc, &line, EDGE_ETCHED, BF_RECT);
      return;
    case ui::BevelShape::kTopLine:
      line.bottom = line.top + 2;
      break;
    case ui::BevelShape::kBottomLine:
      line.top = line.bottom - 2;
      break;
  }
  DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
}

void PaintBehind(HDC dc, const ui::Control& control, HWND window, RenderContext& context) {
  RECT own;
  GetClientRect(window, &own);
  MapWindowPoints(window, GetParent(window), reinterpret_cast<POINT*>(&own), 2);
  const RECT area{0, 0, own.right - own.left, own.bottom - own.top};
  const ui::Container& container = *control.Parent();
  FillSolid(dc, area, ContainerBackground(container));
  for (const auto& sibling : container.Controls()) {
    if (sibling.get() == &control) {
      break;
    }
    if (!sibling->Visible()) {
      continue;
    }
    RECT rect = context.ToPixels(sibling->Bounds());
    RECT overlap;
    if (!IntersectRect(&overlap, &rect, &own)) {
      continue;
    }
    OffsetRect(&rect, -own.left, -own.top);
    switch (sibling->Kind()) {
      case ui::ControlKind::kShape:
        DrawShape(dc, static_cast<const ui::Shape&>(*sibling), rect);
        break;
      case ui::ControlKind::kImage:
        DrawImage(dc, static_cast<const ui::Image&>(*sibling), rect, context);
        break;
      case ui::ControlKind::kBevel:
        DrawBevel(dc, static_cast<const ui::Bevel&>(*sibling), rect);
        break;
      case ui::ControlKind::kNotebook:
        FillSolid(dc, rect, ControlBackground(*sibling));
        break;
      default:
        break;
    }
  }
}

}  // namespace nexolant::win32
