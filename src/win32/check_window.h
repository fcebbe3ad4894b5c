#pragma once

#include "win32/control_window.h"

namespace nexolant::win32 {

// A CheckBox or RadioButton: a BUTTON window that does not change its own state, so that
// BM_GETCHECK always answers what the model holds; a click goes to the model, which checks
// or unchecks and is then applied back.
class CheckWindow : public ControlWindow {
 public:
  CheckWindow(RenderContext& context, ui::Control& control, HWND parent);

  void Apply(ui::Property property) override;
  void ApplyAll() override;
  void OnCommand(WORD code) override;

 private:
  bool Checked() const;
};

}  // namespace nexolant::win32
