#pragma once

#include <string>

#include "ui/control.h"

namespace nexolant::ui {

// A check box. A click toggles Checked, then runs OnClick; SetChecked runs no event.
class CheckBox : public Control {
 public:
  CheckBox(Container& parent, std::string name)
      : Control(&parent, std::move(name), ControlKind::kCheckBox) {}

  bool Checked() const { return checked_; }
  void SetChecked(bool checked) { Update(checked_, checked, Property::kChecked); }

 protected:
  bool ClickAction() override;

 private:
  bool checked_ = false;
};

// A radio button; the radio buttons of one container form one group, at most one checked.
// A click on an unchecked button checks it, unchecks the others and runs OnClick; a click on
// the checked one changes nothing and runs no event. SetChecked(true) unchecks the others
// and runs no event.
class RadioButton : public Control {
 public:
  RadioButton(Container& parent, std::string name)
      : Control(&parent, std::move(name), ControlKind::kRadioButton) {}

  bool Checked() const { return checked_; }
  void SetChecked(bool checked);

 protected:
  bool ClickAction() override;

 private:
  bool checked_ = false;
};

}  // namespace nexolant::ui
