#include "win32/win32_notification_area.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "support/recording_backend.h"
#include "ui/application.h"
#include "ui/artwork_names.h"

namespace nexolant::win32 {
namespace {

using platform::TrayMouseAction;

class RecordingListener : public platform::NotificationAreaListener {
 public:
  void TrayMouse(TrayMouseAction action) override { actions.push_back(action); }
  void TaskbarCreated() override { ++taskbarsCreated; }

  std::vector<TrayMouseAction> actions;
  int taskbarsCreated = 0;
};

class Win32NotificationAreaTest : public ::testing::Test {
 protected:
  Win32NotificationAreaTest() { area_.SetListener(&listener_); }
  ~Win32NotificationAreaTest() override { area_.SetListener(nullptr); }

  // Dispatches what reached this thread's queue, for up to 30 seconds, until the listener
  // heard of a new taskbar.
  void PumpUntilTaskbarCreated() {
    const DWORD start = GetTickCount();
    MSG message;
    while (listener_.taskbarsCreated == 0 && GetTickCount() - start < 30000) {
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageA(&message);
      }
      Sleep(10);
    }
  }

  RecordingBackend backend_;
  ui::Application application_{backend_};
  RecordingListener listener_;
  Win32NotificationArea area_{application_};
};

TEST_F(Win32NotificationAreaTest, MouseMessagesWithTheCallbackMessageReachTheListener) {
  const struct {
    UINT message;
    TrayMouseAction action;
  } cases[] = {
      {WM_LBUTTONDOWN, TrayMouseAction::kLeftDown},
      {WM_LBUTTONUP, TrayMouseAction::kLeftUp},
      {WM_LBUTTONDBLCLK, TrayMouseAction::kLeftDoubleClick},
      {WM_RBUTTONDOWN, TrayMouseAction::kRightDown},
      {WM_RBUTTONUP, TrayMouseAction::kRightUp},
      {WM_RBUTTONDBLCLK, TrayMouseAction::kRightDoubleClick},
      {WM_MBUTTONDOWN, TrayMouseAction::kMiddleDown},
      {WM_MBUTTONUP, TrayMouseAction::kMiddleUp},
      {WM_MBUTTONDBLCLK, TrayMouseAction::kMiddleDoubleClick},
      {WM_MOUSEMOVE, TrayMouseAction::kMove},
  };
  std::vector<TrayMouseAction> expected;
  for (const auto& entry : cases) {
    SendMessageA(area_.MessageWindow(), 45140, 0, entry.message);
    expected.push_back(entry.action);
  }
  SendMessageA(area_.MessageWindow(), 45140, 0, WM_KEYDOWN);
  SendMessageA(area_.MessageWindow(), 45141, 0, WM_LBUTTONUP);
  EXPECT_EQ(listener_.actions, expected);
}

TEST_F(Win32NotificationAreaTest, TheWindowIsHiddenTopLevelAndHearsTheTaskbarCreatedBroadcast) {
  const HWND window = area_.MessageWindow();
  EXPECT_EQ(GetAncestor(window, GA_PARENT), GetDesktopWindow());
  EXPECT_FALSE(IsWindowVisible(window));
  PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  PumpUntilTaskbarCreated();
  EXPECT_EQ(listener_.taskbarsCreated, 1);
}

TEST_F(Win32NotificationAreaTest, TheApplicationIconLoadsByItsNumberAndNoOtherIsAdded) {
  const HANDLE icon = LoadImageA(GetModuleHandleA(nullptr), artwork::kApplicationIcon, IMAGE_ICON,
                                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0);
  ASSERT_NE(icon, nullptr);
  DestroyIcon(static_cast<HICON>(icon));
  EXPECT_FALSE(area_.AddIcon("NO_SUCH_ICON", "Nexolant"));
  EXPECT_FALSE(area_.AddIcon("", "Nexolant"));
  area_.DeleteIcon();
}

// Whether the notification area takes the icon depends on the shell; when it does, the icon
// can be removed and added again, as each minimize does.
TEST_F(Win32NotificationAreaTest, TheApplicationIconIsAddedRemovedAndAddedAgain) {
  if (!area_.AddIcon(artwork::kApplicationIcon, "Nexolant")) {
    GTEST_SKIP() << "this desktop has no notification area";
  }
  area_.DeleteIcon();
  EXPECT_TRUE(area_.AddIcon(artwork::kApplicationIcon, "Nexolant"));
  area_.DeleteIcon();
}

}  // namespace
}  // namespace nexolant::win32
