#include "ui/button.h"

namespace nexolant::ui {

ImageButton::ImageButton(Container& parent, std::string name)
    : Control(&parent, std::move(name), ControlKind::kImageButton) {
  SetCursor(ui::Cursor::kHand);
}

const std::string& ImageButton::ShownPicture() const {
  if (Hot() && Pushed() && !pictures_.pressed.empty()) {
    return pictures_.pressed;
  }
  if (Hot() && !pictures_.highlighted.empty()) {
    return pictures_.highlighted;
  }
  return pictures_.normal;
}

}  // namespace nexolant::ui
