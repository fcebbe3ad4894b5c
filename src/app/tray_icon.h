#pragma once

#include <functional>
#include <string>
#include <utility>

#include "platform/notification_area.h"

namespace nexolant {

enum class TrayButton { kLeft, kRight };

// The program's notification-area icon: shown while Active and an icon picture is set, with
// the hint up to its first "|" (at most 63 characters) as its tip. A press and release of the
// left or right button over the icon is a click; the release of a double-click is none.
class TRxTrayIcon : private platform::NotificationAreaListener {
 public:
  TRxTrayIcon(platform::NotificationArea& area, std::string hint);
  // Removes the icon.
  ~TRxTrayIcon() override;
  TRxTrayIcon(const TRxTrayIcon&) = delete;
  TRxTrayIcon& operator=(const TRxTrayIcon&) = delete;

  bool Active() const { return active_; }
  // Turning it on removes any icon and adds it again; turning it off removes it. Setting the
  // current value does nothing.
  void SetActive(bool active);
  // Whether the notification area holds the icon: it refuses an empty picture, and there may
  // be no notification area.
  bool Shown() const { return shown_; }

  // A resource name of the program's pictures; empty for none. Shown at the next activation.
  const std::string& Icon() const { return icon_; }
  void SetIcon(std::string icon) { icon_ = std::move(icon); }

  std::string Tip() const;

  std::function<void(TrayButton button)> OnClick;
  // The taskbar was created again and the icon, if active, added again (Shown() tells).
  std::function<void()> OnTaskbarCreated;

 private:
  void TrayMouse(platform::TrayMouseAction action) override;
  void TaskbarCreated() override;
  void Add();
  void Click(TrayButton button);

  platform::NotificationArea& area_;
  std::string hint_;
  std::string icon_;
  bool active_ = false;
  bool shown_ = false;
  bool leftDown_ = false;
  bool rightDown_ = false;
};

}  // namespace nexolant
