#include "win32/win32_notification_area.h"

#include <optional>
#include <utility>

namespace nexolant::win32 {
namespace {

std::optional<platform::TrayMouseAction> MouseAction(LPARAM message) {
  using platform::TrayMouseAction;
  switch (message) {
    case WM_LBUTTONDOWN:
      return TrayMouseAction::kLeftDown;
    case WM_LBUTTONUP:
      return TrayMouseAction::kLeftUp;
    case WM_LBUTTONDBLCLK:
      return TrayMouseAction::kLeftDoubleClick;
    case WM_RBUTTONDOWN:
      return TrayMouseAction::kRightDown;
    case WM_RBUTTONUP:
      return TrayMouseAction::kRightUp;
    case WM_RBUTTONDBLCLK:
      return TrayMouseAction::kRightDoubleClick;
    case WM_MBUTTONDOWN:
      return TrayMouseAction::kMiddleDown;
    case WM_MBUTTONUP:
      return TrayMouseAction::kMiddleUp;
    case WM_MBUTTONDBLCLK:
      return TrayMouseAction::kMiddleDoubleClick;
    case WM_MOUSEMOVE:
      return TrayMouseAction::kMove;
    default:
      return std::nullopt;
  }
}

}  // namespace

Win32NotificationArea::Win32NotificationArea(ui::Application& application)
    : Window(application), taskbarCreated_(RegisterWindowMessageA("TaskbarCreated")) {
  Create(kClassName, WS_EX_TOOLWINDOW, WS_POPUP, "", 0, 0, 0, 0, nullptr);
}

Win32NotificationArea::~Win32NotificationArea() {
  DeleteIcon();
}

NOTIFYICONDATAA Win32NotificationArea::IconData() const {
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof data;
  data.hWnd = Handle();
  data.uID = 0;
  return data;
}

bool Win32NotificationArea::AddIcon(const std::string& picture, const std::string& tip) {
  UniqueIcon icon(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), picture.c_str(),
                                                IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                GetSystemMetrics(SM_CYSMICON), 0)));
  if (!icon) {
    return false;
  }
  NOTIFYICONDATAA data = IconData();
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kCallbackMessage;
  data.hIcon = icon.get();
  lstrcpynA(data.szTip, tip.c_str(), sizeof data.szTip);
  if (!Shell_NotifyIconA(NIM_ADD, &data)) {
    return false;
  }
  // The icon handle stays valid while the notification area shows it.
  icon_ = std::move(icon);
  added_ = true;
  return true;
}

void Win32NotificationArea::DeleteIcon() {
  if (!added_) {
    return;
  }
  NOTIFYICONDATAA data = IconData();
  Shell_NotifyIconA(NIM_DELETE, &data);
  added_ = false;
  icon_.reset();
}

LRESULT Win32NotificationArea::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kCallbackMessage) {
    const std::optional<platform::TrayMouseAction> action = MouseAction(lParam);
    if (action && listener_ != nullptr) {
      listener_->TrayMouse(*action);
    }
    return 0;
  }
  if (taskbarCreated_ != 0 && message == taskbarCreated_) {
    // The old shell took its icons with it.
    added_ = false;
    icon_.reset();
    if (listener_ != nullptr) {
      listener_->TaskbarCreated();
    }
    return 0;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace nexolant::win32
