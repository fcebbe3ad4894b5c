#pragma once

#include "win32/control_window.h"

namespace nexolant::win32 {

// A Shape, Image or Bevel: an owner-drawn STATIC that draws the model's picture.
class GraphicWindow : public ControlWindow {
 public:
  GraphicWindow(RenderContext& context, ui::Control& control, HWND parent);

  void OnDrawItem(const DRAWITEMSTRUCT& item) override;
};

}  // namespace nexolant::win32
