#pragma once

#include <initializer_list>
#include <string>

#include "platform/notification_area.h"

namespace nexolant {

// A notification area that records what it shows, refuses icons on request (as when there is
// no notification area), and delivers mouse actions and taskbar re-creations to its listener
// as the system would.
class FakeNotificationArea : public platform::NotificationArea {
 public:
  void SetListener(platform::NotificationAreaListener* listener) override { listener_ = listener; }
  bool AddIcon(const std::string& picture, const std::string& tip) override;
  void DeleteIcon() override;

  // Adds fail while set.
  void RefuseIcons(bool refuse = true) { refuse_ = refuse; }

  bool Showing() const { return showing_; }
  const std::string& Picture() const { return picture_; }
  const std::string& Tip() const { return tip_; }
  int AddCount() const { return addCount_; }
  int DeleteCount() const { return deleteCount_; }

  // The user acts on the icon; only while it is showing.
  void Mouse(platform::TrayMouseAction action);
  void Mouse(std::initializer_list<platform::TrayMouseAction> actions);
  // The shell restarted: every icon is gone, then the listener hears of the new taskbar.
  void RecreateTaskbar();

 private:
  platform::NotificationAreaListener* listener_ = nullptr;
  bool refuse_ = false;
  bool showing_ = false;
  std::string picture_;
  std::string tip_;
  int addCount_ = 0;
  int deleteCount_ = 0;
};

}  // namespace nexolant
