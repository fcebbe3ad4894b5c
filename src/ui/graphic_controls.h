#pragma once

#include <string>

#include "ui/control.h"

namespace nexolant::ui {

// A filled rectangle: Color() is the fill, PenColor() the 1-pixel outline.
class Shape : public Control {
 public:
  Shape(Container& parent, std::string name);

  ui::Color PenColor() const { return penColor_; }
  void SetPenColor(ui::Color color) { Update(penColor_, color, Property::kPenColor); }

 private:
  ui::Color penColor_ = colors::kBlack;
};

// A picture from the program's resources, named by Picture(). With Center the picture is
// centred in the bounds, otherwise drawn from the top left corner.
class Image : public Control {
 public:
  Image(Container& parent, std::string name)
      : Control(&parent, std::move(name), ControlKind::kImage) {}

  const std::string& Picture() const { return picture_; }
  void SetPicture(std::string picture) { Update(picture_, std::move(picture), Property::kPicture); }
  bool Center() const { return center_; }
  void SetCenter(bool center) { Update(center_, center, Property::kCenter); }

 private:
  std::string picture_;
  bool center_ = false;
};

enum class BevelShape { kBox, kTopLine, kBottomLine };

// A lowered, etched box or rule.
class Bevel : public Control {
 public:
  Bevel(Container& parent, std::string name)
      : Control(&parent, std::move(name), ControlKind::kBevel) {}

  ui::BevelShape BevelShape() const { return shape_; }
  void SetBevelShape(ui::BevelShape shape) { Update(shape_, shape, Property::kBevelShape); }

 private:
  ui::BevelShape shape_ = ui::BevelShape::kBox;
};

}  // namespace nexolant::ui
