#include "app/tray_icon.h"

#include <cstddef>
#include <utility>

#include "platform/raise.h"

namespace nexolant {
namespace {

constexpr std::size_t kMaxTip = 63;

}  // namespace

TRxTrayIcon::TRxTrayIcon(platform::NotificationArea& area, std::string hint)
    : area_(area), hint_(std::move(hint)) {
  area_.SetListener(this);
}

TRxTrayIcon::~TRxTrayIcon() {
  area_.SetListener(nullptr);
  if (shown_) {
    area_.DeleteIcon();
  }
}

void TRxTrayIcon::SetActive(bool active) {
  if (active == active_) {
    return;
  }
  active_ = active;
  if (shown_) {
    area_.DeleteIcon();
    shown_ = false;
  }
  if (active_) {
    Add();
  }
}

std::string TRxTrayIcon::Tip() const {
  return hint_.substr(0, hint_.find('|')).substr(0, kMaxTip);
}

void TRxTrayIcon::Add() {
  shown_ = !icon_.empty() && area_.AddIcon(icon_, Tip());
}

void TRxTrayIcon::TrayMouse(platform::TrayMouseAction action) {
  using platform::TrayMouseAction;
  switch (action) {
    case TrayMouseAction::kLeftDown:
      leftDown_ = true;
      break;
    case TrayMouseAction::kLeftUp:
      if (std::exchange(leftDown_, false)) {
        Click(TrayButton::kLeft);
      }
      break;
    case TrayMouseAction::kRightDown:
      rightDown_ = true;
      break;
    case TrayMouseAction::kRightUp:
      if (std::exchange(rightDown_, false)) {
        Click(TrayButton::kRight);
      }
      break;
    default:
      // Double-clicks, the middle button and moves raise nothing this program handles.
      break;
  }
}

void TRxTrayIcon::Click(TrayButton button) {
  Raise(OnClick, button);
}

void TRxTrayIcon::TaskbarCreated() {
  if (active_) {
    Add();
  }
  Raise(OnTaskbarCreated);
}

}  // namespace nexolant
