#include "win32/check_window.h"

#include "ui/check_box.h"

namespace nexolant::win32 {

CheckWindow::CheckWindow(RenderContext& context, ui::Control& control, HWND parent)
    : ControlWindow(context, control) {
  const DWORD style =
      control.Kind() == ui::ControlKind::kRadioButton ? BS_RADIOBUTTON : BS_CHECKBOX;
  CreateChild("BUTTON", style | BS_NOTIFY | WS_TABSTOP, 0, parent);
  ApplyAll();
}

bool CheckWindow::Checked() const {
  if (Model().Kind() == ui::ControlKind::kRadioButton) {
    return static_cast<const ui::RadioButton&>(Model()).Checked();
  }
  return static_cast<const ui::CheckBox&>(Model()).Checked();
}

void CheckWindow::ApplyAll() {
  ControlWindow::ApplyAll();
  Apply(ui::Property::kChecked);
}

void CheckWindow::Apply(ui::Property property) {
  if (property == ui::Property::kChecked) {
    SendMessageA(Handle(), BM_SETCHECK, Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    return;
  }
  ControlWindow::Apply(property);
}

void CheckWindow::OnCommand(WORD code) {
  if (code == BN_CLICKED || code == BN_DOUBLECLICKED) {
    Context().Run([this] { Model().Click(); });
  }
}

}  // namespace nexolant::win32
