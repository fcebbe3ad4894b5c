#pragma once

#include <string>

#include "ui/control.h"

namespace nexolant::ui {

// A push button, optionally with a glyph (a picture resource) left of its caption. The
// default button is clicked by Enter, the cancel button by Escape.
class Button : public Control {
 public:
  Button(Container& parent, std::string name)
      : Control(&parent, std::move(name), ControlKind::kButton) {}

  const std::string& Glyph() const { return glyph_; }
  void SetGlyph(std::string glyph) { Update(glyph_, std::move(glyph), Property::kPicture); }
  bool Default() const { return default_; }
  void SetDefault(bool isDefault) { Update(default_, isDefault, Property::kDefault); }
  bool Cancel() const { return cancel_; }
  void SetCancel(bool cancel) { Update(cancel_, cancel, Property::kCancel); }

 private:
  std::string glyph_;
  bool default_ = false;
  bool cancel_ = false;
};

// The three pictures of an image button, by resource name.
struct ImageButtonPictures {
  std::string normal;
  std::string highlighted;
  std::string pressed;

  bool operator==(const ImageButtonPictures&) const = default;
};

// A button drawn from three pictures: normal, highlighted while the mouse is over it, pressed
// while the button is held. The window is sized to its pictures. Unless Opaque, pixels of
// TransparentColor() show what lies beneath.
class ImageButton : public Control {
 public:
  ImageButton(Container& parent, std::string name);

  const ImageButtonPictures& Pictures() const { return pictures_; }
  void SetPictures(ImageButtonPictures pictures) {
    Update(pictures_, std::move(pictures), Property::kPicture);
  }
  ui::Color TransparentColor() const { return transparentColor_; }
  void SetTransparentColor(ui::Color color) {
    Update(transparentColor_, color, Property::kTransparentColor);
  }
  bool Opaque() const { return opaque_; }
  void SetOpaque(bool opaque) { Update(opaque_, opaque, Property::kOpaque); }

  // The picture to draw now, from Hot() and Pushed(): a picture that is not given falls back
  // to the normal one.
  const std::string& ShownPicture() const;

 private:
  ImageButtonPictures pictures_;
  ui::Color transparentColor_ = colors::kFuchsia;
  bool opaque_ = false;
};

}  // namespace nexolant::ui
