#pragma once

#include "ui/label.h"
#include "win32/control_window.h"

namespace nexolant::win32 {

// A Label or LinkLabel: an owner-drawn STATIC whose window text is the caption, drawn in
// the model's font and colour over its background or, when transparent, over what lies
// beneath. With AutoSize the window takes the size of its text.
class LabelWindow : public ControlWindow {
 public:
  LabelWindow(RenderContext& context, ui::Label& label, HWND parent);

  void Apply(ui::Property property) override;
  void OnDrawItem(const DRAWITEMSTRUCT& item) override;

 protected:
  void ApplyBounds() override;

 private:
  UINT TextFormat() const;

  ui::Label* label_;
};

}  // namespace nexolant::win32
