#pragma once

#include <string>

namespace nexolant::platform {

// A mouse action over the program's notification-area icon, as the system reports it.
enum class TrayMouseAction {
  kLeftDown,
  kLeftUp,
  kLeftDoubleClick,
  kRightDown,
  kRightUp,
  kRightDoubleClick,
  kMiddleDown,
  kMiddleUp,
  kMiddleDoubleClick,
  kMove,
};

// What the notification area reports; called on the user-interface thread from its window.
class NotificationAreaListener {
 public:
  virtual ~NotificationAreaListener() = default;
  virtual void TrayMouse(TrayMouseAction action) = 0;
  // The taskbar was created again (the shell restarted): every icon it showed is gone.
  virtual void TaskbarCreated() = 0;
};

// The taskbar's notification area, holding at most one icon of the program's own.
class NotificationArea {
 public:
  virtual ~NotificationArea() = default;

  // Where mouse actions over the icon and taskbar re-creations go; null for nowhere.
  virtual void SetListener(NotificationAreaListener* listener) = 0;

  // Adds the icon with a picture of the program's resources and a tip of up to 63
  // characters. False when the picture cannot be loaded or the notification area refuses
  // the icon (there may be none).
  [[nodiscard]] virtual bool AddIcon(const std::string& picture, const std::string& tip) = 0;

  // Removes the icon if the notification area holds it.
  virtual void DeleteIcon() = 0;
};

}  // namespace nexolant::platform
