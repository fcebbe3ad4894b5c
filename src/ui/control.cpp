#include "ui/control.h"

#include "platform/raise.h"
#include "ui/form.h"
#include "ui/notebook.h"

namespace nexolant::ui {

Control* Container::FindControl(std::string_view name) const {
  for (const auto& control : controls_) {
    if (control->Name() == name) {
      return control.get();
    }
    if (const auto* notebook = dynamic_cast<const Notebook*>(control.get())) {
      for (int page = 0; page < notebook->PageCount(); ++page) {
        if (Control* found = notebook->Page(page).FindControl(name)) {
          return found;
        }
      }
    }
  }
  return nullptr;
}

Control::Control(Container* parent, std::string name, ControlKind kind)
    : parent_(parent), name_(std::move(name)), kind_(kind) {
  if (parent_ != nullptr) {
    font_ = parent_->ChildFont();
  }
}

Form& Control::OwnerForm() const {
  return parent_->OwnerForm();
}

void Control::SetBounds(const Rect& bounds) {
  Update(bounds_, bounds, Property::kBounds);
}

void Control::SetLeft(int left) {
  SetBounds({left, bounds_.top, bounds_.width, bounds_.height});
}

void Control::SetTop(int top) {
  SetBounds({bounds_.left, top, bounds_.width, bounds_.height});
}

void Control::SetWidth(int width) {
  SetBounds({bounds_.left, bounds_.top, width, bounds_.height});
}

void Control::SetHeight(int height) {
  SetBounds({bounds_.left, bounds_.top, bounds_.width, height});
}

void Control::SetVisible(bool visible) {
  Update(visible_, visible, Property::kVisible);
}

void Control::SetEnabled(bool enabled) {
  Update(enabled_, enabled, Property::kEnabled);
}

// Assigned in place: a caption set for every scanned entry reuses the old text's storage.
void Control::SetCaption(std::string_view caption) {
  Update(caption_, caption, Property::kCaption);
}

void Control::SetFont(const ui::Font& font) {
  Update(font_, font, Property::kFont);
}

void Control::SetFontColor(ui::Color color) {
  ui::Font font = font_;
  font.color = color;
  SetFont(font);
}

void Control::SetHint(std::string hint) {
  Update(hint_, std::move(hint), Property::kHint);
}

void Control::SetShowHint(bool showHint) {
  Update(showHint_, showHint, Property::kShowHint);
}

void Control::SetCursor(ui::Cursor cursor) {
  Update(cursor_, cursor, Property::kCursor);
}

void Control::SetColor(ui::Color color) {
  Update(color_, color, Property::kColor);
}

void Control::SetTransparent(bool transparent) {
  Update(transparent_, transparent, Property::kTransparent);
}

bool Control::Showing() const {
  return visible_ && (parent_ == nullptr || parent_->ContentShowing());
}

bool Control::Click() {
  if (!AcceptsInput()) {
    return false;
  }
  if (ClickAction() && OnClick) {
    const ClickScope scope(this);
    OnClick(*this);
  }
  return true;
}

void Control::MouseEnter() {
  if (!AcceptsInput()) {
    return;
  }
  Update(hot_, true, Property::kHot);
  Raise(OnMouseEnter, *this);
}

void Control::MouseLeave() {
  // Acts whenever the mouse had entered, even if the control was disabled or hidden since.
  if (!hot_) {
    return;
  }
  Update(hot_, false, Property::kHot);
  Raise(OnMouseLeave, *this);
}

void Control::MouseDown() {
  if (AcceptsInput()) {
    Update(pushed_, true, Property::kPushed);
  }
}

void Control::MouseUp() {
  Update(pushed_, false, Property::kPushed);
}

void Control::Changed(Property property) {
  if (ControlObserver* observer = OwnerForm().Observer()) {
    observer->ControlChanged(*this, property);
  }
}

}  // namespace nexolant::ui
