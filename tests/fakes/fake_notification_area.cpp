#include "fakes/fake_notification_area.h"

#include <stdexcept>

namespace nexolant {

bool FakeNotificationArea::AddIcon(const std::string& picture, const std::string& tip) {
  if (showing_) {
    throw std::logic_error("the icon is already in the notification area");
  }
  if (refuse_ || picture.empty()) {
    return false;
  }
  ++addCount_;
  showing_ = true;
  picture_ = picture;
  tip_ = tip;
  return true;
}

void FakeNotificationArea::DeleteIcon() {
  if (showing_) {
    ++deleteCount_;
  }
  showing_ = false;
}

void FakeNotificationArea::Mouse(platform::TrayMouseAction action) {
  if (showing_ && listener_ != nullptr) {
    listener_->TrayMouse(action);
  }
}

void FakeNotificationArea::Mouse(std::initializer_list<platform::TrayMouseAction> actions) {
  for (const platform::TrayMouseAction action : actions) {
    Mouse(action);
  }
}

void FakeNotificationArea::RecreateTaskbar() {
  showing_ = false;
  if (listener_ != nullptr) {
    listener_->TaskbarCreated();
  }
}

}  // namespace nexolant
