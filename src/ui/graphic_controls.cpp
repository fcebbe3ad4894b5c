#include "ui/graphic_controls.h"

namespace nexolant::ui {

Shape::Shape(Container& parent, std::string name)
    : Control(&parent, std::move(name), ControlKind::kShape) {
  SetColor(colors::kWhite);
}

}  // namespace nexolant::ui
