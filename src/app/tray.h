#pragma once

#include "app/tray_icon.h"
#include "platform/notification_area.h"
#include "settings/options.h"
#include "ui/application.h"

namespace nexolant {

// Minimizing to the notification area: with "Minimize to system tray" ticked at the moment of
// a minimize, the window leaves the taskbar for an icon whose click brings it back. Owns the
// icon and the application's minimize and restore events while it lives.
class Tray {
 public:
  static constexpr const char* kHint = "Nexolant";

  Tray(platform::NotificationArea& area, ui::Application& application, const Options& options);
  ~Tray();
  Tray(const Tray&) = delete;
  Tray& operator=(const Tray&) = delete;

  TRxTrayIcon& TrayIcon() { return TrayIcon_; }

  // A click on the icon, with either button: the icon goes, the window comes back in front.
  void RxTrayIcon1Click();
  // The application was minimized: the icon shows by the option, and the taskbar button goes
  // when the icon is there to bring the window back.
  void AppEvents1Minimize();
  // The application was restored by other means than the icon: the taskbar button comes back
  // and the icon stays.
  void AppEvents1Restore();
  // The taskbar was created again: a window hidden for an icon that could not be added again
  // gets its taskbar button back.
  void TrayIconTaskbarCreated();

 private:
  ui::Application& application_;
  const Options& options_;
  TRxTrayIcon TrayIcon_;
};

}  // namespace nexolant
