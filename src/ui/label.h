#pragma once

#include <string>

#include "ui/control.h"

namespace nexolant::ui {

// Static text; its caption is the window text. With AutoSize the renderer sizes the window
// to the text and Bounds() keeps the designed size.
class Label : public Control {
 public:
  Label(Container& parent, std::string name)
      : Label(parent, std::move(name), ControlKind::kLabel) {}

  ui::Alignment Alignment() const { return alignment_; }
  void SetAlignment(ui::Alignment alignment) {
    Update(alignment_, alignment, Property::kAlignment);
  }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize) { Update(autoSize_, autoSize, Property::kAutoSize); }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wordWrap) { Update(wordWrap_, wordWrap, Property::kWordWrap); }

 protected:
  Label(Container& parent, std::string name, ControlKind kind)
      : Control(&parent, std::move(name), kind) {}

 private:
  ui::Alignment alignment_ = ui::Alignment::kLeft;
  bool autoSize_ = true;
  bool wordWrap_ = false;
};

// A label that acts as a link: it starts with the hand cursor and a blue, underlined font.
class LinkLabel : public Label {
 public:
  LinkLabel(Container& parent, std::string name);
};

}  // namespace nexolant::ui
