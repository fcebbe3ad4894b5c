#include "win32/button_windows.h"

#include "win32/colors.h"
#include "win32/gdi.h"
#include "win32/scene.h"

namespace nexolant::win32 {

namespace {

constexpr int kGlyphMargin = 8;
constexpr int kGlyphSpacing = 6;

// A colour moved towards black (amount < 0) or white (amount > 0) by |amount| / 256.
COLORREF Shade(COLORREF color, int amount) {
  auto channel = [amount](int value) {
    return amount < 0 ? value + value * amount / 256 : value + (255 - value) * amount / 256;
  };
  return RGB(channel(GetRValue(color)), channel(GetGValue(color)), channel(GetBValue(color)));
}

}  // namespace

OwnerDrawnButton::OwnerDrawnButton(RenderContext& context, ui::Control& control, HWND parent)
    : ControlWindow(context, control) {
  CreateChild("BUTTON", BS_OWNERDRAW | BS_NOTIFY | WS_TABSTOP, 0, parent);
}

void OwnerDrawnButton::OnCommand(WORD code) {
  if (code == BN_CLICKED || code == BN_DOUBLECLICKED) {
    Context().Run([this] { Model().Click(); });
  }
}

void OwnerDrawnButton::OnDrawItem(const DRAWITEMSTRUCT& item) {
  const RECT& rect = item.rcItem;
  const BufferedPaint buffer(Context().Surface(), item.hDC, rect.right, rect.bottom);
  Draw(buffer.Dc(), rect, (item.itemState & ODS_FOCUS) != 0);
}

LRESULT OwnerDrawnButton::HandleChildMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    return 1;  // WM_DRAWITEM paints every pixel
  }
  return ControlWindow::HandleChildMessage(message, wParam, lParam);
}

void OwnerDrawnButton::DrawGlyphAndCaption(HDC dc, const RECT& rect, const std::string& glyph,
                                           bool centered) {
  const std::string& caption = Model().Caption();
  const Picture* picture = Context().Pictures().Find(glyph);
  const int glyphWidth = picture ? Context().Scale(picture->width) : 0;
  const int glyphHeight = picture ? Context().Scale(picture->height) : 0;

  const SelectedObject font(dc, Context().Fonts().Get(Model().Font()));
  SIZE text{0, 0};
  GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
  const int gap = picture && !caption.empty() ? Context().Scale(kGlyphSpacing) : 0;
  const int total = glyphWidth + gap + text.cx;
  int x = centered ? rect.left + (rect.right - rect.left - total) / 2
                   : rect.left + Context().Scale(kGlyphMargin);
  if (picture) {
    DrawPicture(dc, *picture, x, rect.top + (rect.bottom - rect.top - glyphHeight) / 2, glyphWidth,
                glyphHeight, GlyphTransparentColor(*picture));
    x += glyphWidth + gap;
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Model().Enabled() ? TextColor(Model()) : GetSysColor(COLOR_GRAYTEXT));
  RECT textRect{x, rect.top, rect.right, rect.bottom};
  DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
}

PushButtonWindow::PushButtonWindow(RenderContext& context, ui::Button& button, HWND parent)
    : OwnerDrawnButton(context, button, parent), button_(&button) {
  ApplyAll();
}

void PushButtonWindow::Draw(HDC dc, const RECT& rect, bool focused) {
  FillSolid(dc, rect, GetSysColor(COLOR_BTNFACE));
  RECT frame = rect;
  DrawFrameControl(dc, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (button_->Pushed() ? DFCS_PUSHED : 0));
  RECT content = rect;
  if (button_->Pushed()) {
    OffsetRect(&content, 1, 1);
  }
  DrawGlyphAndCaption(dc, content, button_->Glyph(), true);
  if (focused || button_->Default()) {
    RECT focus = rect;
    InflateRect(&focus, -4, -4);
    DrawFocusRect(dc, &focus);
  }
}

ImageButtonWindow::ImageButtonWindow(RenderContext& context, ui::ImageButton& button, HWND parent)
    : OwnerDrawnButton(context, button, parent), button_(&button) {
  ApplyAll();
}

void ImageButtonWindow::ApplyBounds() {
  const Picture* picture = Context().Pictures().Find(button_->Pictures().normal);
  if (!picture) {
    ControlWindow::ApplyBounds();
    return;
  }
  const RECT bounds = Context().ToPixels(button_->Bounds());
  SetWindowPos(Handle(), nullptr, bounds.left, bounds.top, Context().Scale(picture->width),
               Context().Scale(picture->height), SWP_NOZORDER | SWP_NOACTIVATE);
}

void ImageButtonWindow::Apply(ui::Property property) {
  ControlWindow::Apply(property);
  if (property == ui::Property::kPicture) {
    ApplyBounds();
  }
}

void ImageButtonWindow::Draw(HDC dc, const RECT& rect, bool /*focused*/) {
  if (button_->Opaque() && !button_->Color().IsDefault()) {
    FillSolid(dc, rect, ControlBackground(*button_));
  } else {
    PaintBehind(dc, *button_, Handle(), Context());
  }
  if (const Picture* picture = Context().Pictures().Find(button_->ShownPicture())) {
    DrawPicture(dc, *picture, 0, 0, Context().Scale(picture->width),
                Context().Scale(picture->height),
                ToColorRef(button_->TransparentColor(), RGB(255, 0, 255)));
  }
}

SpeedButtonWindow::SpeedButtonWindow(RenderContext& context, ui::SpeedButton& button, HWND parent)
    : OwnerDrawnButton(context, button, parent), button_(&button) {
  ApplyAll();
}

void SpeedButtonWindow::Draw(HDC dc, const RECT& rect, bool /*focused*/) {
  const COLORREF face = ControlBackground(*button_);
  const bool sunken = button_->Down() || button_->Pushed();
  const bool hot = button_->Hot() && button_->Enabled();
  FillSolid(dc, rect, sunken ? Shade(face, -24) : hot ? Shade(face, 48) : face);
  RECT edge = rect;
  if (sunken) {
    DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
  } else if (hot || !button_->Flat()) {
    DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
  }
  RECT content = rect;
  if (sunken) {
    OffsetRect(&content, 1, 1);
  }
  DrawGlyphAndCaption(dc, content, button_->Glyph(), false);
}

}  // namespace nexolant::win32
