#pragma once

#include "ui/combo_box.h"
#include "win32/control_window.h"

namespace nexolant::win32 {

// A ComboBox: a drop-down-list COMBOBOX holding the model's items as strings.
class ComboBoxWindow : public ControlWindow {
 public:
  ComboBoxWindow(RenderContext& context, ui::ComboBox& combo, HWND parent);

  void Apply(ui::Property property) override;
  void ApplyAll() override;
  void OnCommand(WORD code) override;

 private:
  ui::ComboBox* combo_;
};

}  // namespace nexolant::win32
