#include "win32/label_window.h"

#include "win32/gdi.h"
#include "win32/scene.h"

namespace nexolant::win32 {

LabelWindow::LabelWindow(RenderContext& context, ui::Label& label, HWND parent)
    : ControlWindow(context, label), label_(&label) {
  CreateChild("STATIC", SS_OWNERDRAW | SS_NOTIFY, 0, parent);
  SetClicksOnRelease(true);
  ApplyAll();
}

UINT LabelWindow::TextFormat() const {
  UINT format = DT_NOPREFIX | (label_->WordWrap() ? DT_WORDBREAK : 0);
  switch (label_->Alignment()) {
    case ui::Alignment::kRight:
      format |= DT_RIGHT;
      break;
    case ui::Alignment::kCenter:
      format |= DT_CENTER;
      break;
    case ui::Alignment::kLeft:
      break;
  }
  return format;
}

void LabelWindow::ApplyBounds() {
  if (!label_->AutoSize()) {
    ControlWindow::ApplyBounds();
    return;
  }
  const RECT designed = Context().ToPixels(label_->Bounds());
  RECT text{0, 0, label_->WordWrap() ? designed.right - designed.left : 0, 0};
  int margin = 0;
  {
    const ClientDc dc(Handle());
    const SelectedObject font(dc.Dc(), Context().Fonts().Get(label_->Font()));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc.Dc(), &metrics);
    const std::string& caption = label_->Caption();
    if (caption.empty()) {
      text.bottom = metrics.tmHeight;
    } else {
      DrawTextA(dc.Dc(), caption.c_str(), static_cast<int>(caption.size()), &text,
                TextFormat() | DT_CALCRECT);
    }
    // Room for glyphs drawn past the measured extent (a substituted face's overhang); the
    // extra width is background only.
    if (!label_->WordWrap()) {
      margin = metrics.tmAveCharWidth / 2 + 1;
    }
  }
  const int width = text.right - text.left + margin;
  const int left = label_->Alignment() == ui::Alignment::kRight && !label_->WordWrap()
                       ? designed.right - width
                       : designed.left;
  SetWindowPos(Handle(), nullptr, left, designed.top, width, text.bottom - text.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void LabelWindow::Apply(ui::Property property) {
  if (property == ui::Property::kCaption) {
    // The static control paints itself when its text is set: no second paint. Only a label
    // sized to its text moves: placing a window costs a call to the server under Wine.
    SetWindowTextA(Handle(), label_->Caption().c_str());
    if (label_->AutoSize()) {
      ApplyBounds();
    }
    return;
  }
  ControlWindow::Apply(property);
  switch (property) {
    case ui::Property::kFont:
    case ui::Property::kAutoSize:
    case ui::Property::kWordWrap:
    case ui::Property::kAlignment:
      ApplyBounds();
      break;
    default:
      break;
  }
}

void LabelWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
  RECT rect = item.rcItem;
  const BufferedPaint buffer(Context().Surface(), item.hDC, rect.right, rect.bottom);
  const HDC dc = buffer.Dc();
  if (label_->Transparent()) {
    PaintBehind(dc, *label_, Handle(), Context());
  } else {
    FillSolid(dc, rect, ControlBackground(*label_));
  }
  const SelectedObject font(dc, Context().Fonts().Get(label_->Font()));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, label_->Enabled() ? TextColor(*label_) : GetSysColor(COLOR_GRAYTEXT));
  const std::string& caption = label_->Caption();
  DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &rect, TextFormat());
}

}  // namespace nexolant::win32
