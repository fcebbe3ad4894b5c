#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "platform/notification_area.h"
#include "ui/application.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace nexolant::win32 {

// The notification area through Shell_NotifyIconA: one icon (identifier 0) whose mouse
// messages come to a hidden top-level window of its own with the callback message 45140. That
// window is top-level so that it hears the "TaskbarCreated" broadcast of a restarted shell.
class Win32NotificationArea final : public platform::NotificationArea, private Window {
 public:
  static constexpr UINT kCallbackMessage = 45140;
  static constexpr const char* kClassName = "NexolantTrayIcon";

  explicit Win32NotificationArea(ui::Application& application);
  ~Win32NotificationArea() override;

  void SetListener(platform::NotificationAreaListener* listener) override { listener_ = listener; }
  bool AddIcon(const std::string& picture, const std::string& tip) override;
  void DeleteIcon() override;

  HWND MessageWindow() const { return Handle(); }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  NOTIFYICONDATAA IconData() const;

  UINT taskbarCreated_;
  platform::NotificationAreaListener* listener_ = nullptr;
  UniqueIcon icon_;
  bool added_ = false;
};

}  // namespace nexolant::win32
