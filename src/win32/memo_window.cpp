#include "win32/memo_window.h"

#include "win32/colors.h"

namespace nexolant::win32 {

MemoWindow::MemoWindow(RenderContext& context, ui::Memo& memo, HWND parent)
    : ControlWindow(context, memo), memo_(&memo) {
  CreateChild("EDIT", StyleOf(memo), WS_EX_CLIENTEDGE, parent);
  ApplyAll();
}

DWORD MemoWindow::StyleOf(const ui::Memo& memo) {
  DWORD style = ES_MULTILINE | ES_AUTOVSCROLL | WS_TABSTOP;
  if (!memo.WordWrap()) {
    style |= ES_AUTOHSCROLL;
  }
  const ui::ScrollBars bars = memo.ScrollBars();
  if (bars == ui::ScrollBars::kVertical || bars == ui::ScrollBars::kBoth) {
    style |= WS_VSCROLL;
  }
  if (bars == ui::ScrollBars::kHorizontal || bars == ui::ScrollBars::kBoth) {
    style |= WS_HSCROLL;
  }
  return style;
}

void MemoWindow::ApplyAll() {
  ControlWindow::ApplyAll();
  Apply(ui::Property::kLines);
  Apply(ui::Property::kReadOnly);
}

void MemoWindow::Apply(ui::Property property) {
  switch (property) {
    case ui::Property::kLines:
      SetWindowTextA(Handle(), memo_->Text().c_str());
      break;
    case ui::Property::kReadOnly:
      SendMessageA(Handle(), EM_SETREADONLY, memo_->ReadOnly(), 0);
      break;
    case ui::Property::kCaption:
      break;  // the window text of a memo is its lines
    default:
      ControlWindow::Apply(property);
      break;
  }
}

HBRUSH MemoWindow::OnColor(HDC dc) {
  const COLORREF background = ToColorRef(memo_->Color(), GetSysColor(COLOR_WINDOW));
  SetTextColor(dc, TextColor(*memo_));
  SetBkColor(dc, background);
  return Context().Brushes().Get(background);
}

}  // namespace nexolant::win32
