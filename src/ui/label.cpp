#include "ui/label.h"

namespace nexolant::ui {

LinkLabel::LinkLabel(Container& parent, std::string name)
    : Label(parent, std::move(name), ControlKind::kLinkLabel) {
  ui::Font font = Font();
  font.color = colors::kBlue;
  font.underline = true;
  SetFont(font);
  SetCursor(ui::Cursor::kHand);
}

}  // namespace nexolant::ui
