#include "ui/check_box.h"

namespace nexolant::ui {

bool CheckBox::ClickAction() {
  SetChecked(!checked_);
  return true;
}

void RadioButton::SetChecked(bool checked) {
  if (!Update(checked_, checked, Property::kChecked) || !checked) {
    return;
  }
  for (const auto& control : Parent()->Controls()) {
    auto* other = dynamic_cast<RadioButton*>(control.get());
    if (other != nullptr && other != this) {
      other->Update(other->checked_, false, Property::kChecked);
    }
  }
}

bool RadioButton::ClickAction() {
  if (checked_) {
    return false;
  }
  SetChecked(true);
  return true;
}

}  // namespace nexolant::ui
