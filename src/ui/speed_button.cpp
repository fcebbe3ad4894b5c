#include "ui/speed_button.h"

namespace nexolant::ui {

SpeedButton::SpeedButton(Container& parent, std::string name)
    : Control(&parent, std::move(name), ControlKind::kSpeedButton) {}

std::vector<SpeedButton*> SpeedButton::GroupMates() const {
  std::vector<SpeedButton*> mates;
  if (groupIndex_ == 0) {
    return mates;
  }
  for (const auto& control : Parent()->Controls()) {
    auto* button = dynamic_cast<SpeedButton*>(control.get());
    if (button != nullptr && button != this && button->groupIndex_ == groupIndex_) {
      mates.push_back(button);
    }
  }
  return mates;
}

void SpeedButton::SetGroupIndex(int groupIndex) {
  if (groupIndex == groupIndex_) {
    return;
  }
  groupIndex_ = groupIndex;
  if (groupIndex_ == 0) {
    Update(down_, false, Property::kDown);
    return;
  }
  const std::vector<SpeedButton*> mates = GroupMates();
  if (!mates.empty()) {
    allowAllUp_ = mates.front()->allowAllUp_;
  }
  if (down_) {
    ReleaseGroupMates();
  }
}

void SpeedButton::SetAllowAllUp(bool allowAllUp) {
  allowAllUp_ = allowAllUp;
  for (SpeedButton* mate : GroupMates()) {
    mate->allowAllUp_ = allowAllUp;
  }
}

void SpeedButton::SetDown(bool down) {
  if (groupIndex_ == 0 || down == down_) {
    return;
  }
  if (!down && !allowAllUp_) {
    return;
  }
  Update(down_, down, Property::kDown);
  if (down_) {
    ReleaseGroupMates();
  }
}

void SpeedButton::ReleaseGroupMates() {
  for (SpeedButton* mate : GroupMates()) {
    mate->Update(mate->down_, false, Property::kDown);
  }
}

bool SpeedButton::ClickAction() {
  SetDown(!down_);
  return true;
}

}  // namespace nexolant::ui
