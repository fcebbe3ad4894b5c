#include "win32/combo_box_window.h"

namespace nexolant::win32 {

namespace {

// Room for the drop-down part below the closed box.
constexpr int kDropDownHeight = 160;

}  // namespace

ComboBoxWindow::ComboBoxWindow(RenderContext& context, ui::ComboBox& combo, HWND parent)
    : ControlWindow(context, combo), combo_(&combo) {
  CreateChild("COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, parent, kDropDownHeight);
  ApplyAll();
}

void ComboBoxWindow::ApplyAll() {
  ControlWindow::ApplyAll();
  Apply(ui::Property::kItems);
}

void ComboBoxWindow::Apply(ui::Property property) {
  switch (property) {
    case ui::Property::kItems:
      SendMessageA(Handle(), CB_RESETCONTENT, 0, 0);
      for (const std::string& item : combo_->Items()) {
        SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
      }
      [[fallthrough]];
    case ui::Property::kItemIndex:
      SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(combo_->ItemIndex()), 0);
      break;
    case ui::Property::kCaption:
      break;  // the window text of a drop-down list is its selected item
    default:
      ControlWindow::Apply(property);
      break;
  }
}

void ComboBoxWindow::OnCommand(WORD code) {
  if (code == CBN_SELCHANGE) {
    const int index = static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
    Context().Run([this, index] { combo_->SelectByUser(index); });
  }
}

}  // namespace nexolant::win32
