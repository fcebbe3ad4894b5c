#include <windows.h>

#include <string>

#include "app/main_form.h"
#include "fakes/fake_folder_lock.h"
#include "platform/shell.h"
#include "renderer_fixture.h"
#include "support/scoped_folder.h"
#include "win32/win32_clock.h"
#include "win32/win32_downloader.h"
#include "win32/win32_file_system.h"
#include "win32/win32_folder_browser.h"
#include "win32/win32_locale.h"
#include "win32/win32_notification_area.h"
#include "win32/win32_processes.h"
#include "win32/win32_profile_strings.h"
#include "win32/win32_registry.h"
#include "win32/win32_scheduled_tasks.h"
#include "win32/win32_service_control.h"
#include "win32/win32_shortcuts.h"
#include "win32/win32_signature_evidence.h"

namespace nexolant::win32 {
namespace {

using nexolant::testing::ScopedFolder;

class NoShell : public platform::Shell {
 public:
  platform::Outcome Open(const platform::Path& /*target*/) override {
    return platform::Outcome::Failure(platform::kErrorFileNotFound);
  }
};

// The main window's layout as real windows (its creation handler, with the splash and the
// file loads, is not run).
class MainFormWindowTest : public RendererTest {
 protected:
  MainFormWindowTest()
      : form_(AppServices{.files = files_,
                          .clock = clock_,
                          .locale = locale_,
                          .shell = shell_,
                          .registry = registry_,
                          .processes = processes_,
                          .profileStrings = profileStrings_,
                          .downloader = downloader_,
                          .notificationArea = notificationArea_,
                          .folderBrowser = folderBrowser_,
                          .evidence = evidence_,
                          .shortcuts = shortcuts_,
                          .tasks = tasks_,
                          .serviceControl = serviceControl_,
                          .folderLock = folderLock_,
                          .application = application_,
                          .programFolder = folder_.Prefix()}) {
    Realise(form_);
  }
  ~MainFormWindowTest() override { backend_.DestroyForm(form_); }

  std::string TextOf(const char* name) const {
    const ui::Control* control = form_.FindControl(name);
    return control ? WindowText(HandleOf(*control)) : "<no " + std::string(name) + ">";
  }

  ScopedFolder folder_;
  Win32FileSystem files_;
  Win32Clock clock_;
  const Win32Locale locale_;
  NoShell shell_;
  Win32Registry registry_;
  Win32ProcessApi processes_;
  Win32ProfileStrings profileStrings_;
  Win32Downloader downloader_;
  Win32NotificationArea notificationArea_{application_};
  Win32FolderBrowser folderBrowser_;
  const Win32SignatureEvidence evidence_;
  Win32Shortcuts shortcuts_;
  Win32ScheduledTasks tasks_;
  Win32ServiceControl serviceControl_;
  FakeFolderLock folderLock_;
  TMainForm form_;
};

TEST_F(MainFormWindowTest, ClientAreaIs762By394) {
  RECT client;
  GetClientRect(FormHandle(form_), &client);
  EXPECT_EQ(client.right, 762);
  EXPECT_EQ(client.bottom, 394);
  EXPECT_EQ(WindowText(FormHandle(form_)), "Nexolant");
  const LONG style = GetWindowLongA(FormHandle(form_), GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
}

TEST_F(MainFormWindowTest, StatusPageTextsReadBackFromTheWindows) {
  const struct {
    const char* name;
    const char* text;
  } cases[] = {
      {"lblStatus", "Nexolant Status"},
      {"Label4", "Initialization status"},
      {"lblRefStatus", "Reference file has been loaded successfully"},
      {"lblDetails", "Details"},
      {"Label6", "Usage statistics"},
      {"Label7", "Active monitoring"},
      {"lblAMStatus", "Not loaded"},
      {"lblEnableDisable", "Enable"},
      {"lblLastSystemScan", "Never"},
      {"lblTotalScans", "0"},
      {"lblObjectsRemoved", "0"},
      {"lblObjectsQuarantined", "0"},
      {"lblOpenQuarantine", "Open quarantine"},
      {"lblFileStatus", "Status OK"},
      {"lblInitialized", "Software initialized."},
      {"lblCheckUpdates", "Check for updates now"},
      {"lblHint", "Hover the mouse over right buttons to see description here"},
      {"Label1", "Build 2.0"},
      {"StatusBtn", "Status"},
      {"HelpBtn", "Help"},
  };
  for (const auto& expected : cases) {
    EXPECT_EQ(TextOf(expected.name), expected.text) << expected.name;
  }
}

TEST_F(MainFormWindowTest, SideButtonClickSwitchesThePageAndTitle) {
  SendMessageA(HandleOf(*form_.FindControl("ScanBtn")), BM_CLICK, 0, 0);
  EXPECT_EQ(TextOf("lblStatus"), "Preparing system scan");
  EXPECT_FALSE(IsWindowVisible(HandleOf(*form_.FindControl("lblRefStatus"))));
  SendMessageA(HandleOf(*form_.FindControl("StatusBtn")), BM_CLICK, 0, 0);
  EXPECT_EQ(TextOf("lblStatus"), "Nexolant Status");
  EXPECT_TRUE(IsWindowVisible(HandleOf(*form_.FindControl("lblRefStatus"))));
}

TEST_F(MainFormWindowTest, ImageButtonHintGoesToTheHintLine) {
  const HWND button = HandleOf(*form_.FindControl("btnInfo"));
  SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(TextOf("lblHint"), "Shows program version and copyright information");
  SendMessageA(button, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(TextOf("lblHint"), "Hover the mouse over right buttons to see description here");
}

// Tab, as the window system delivers it, runs through the Settings page in its numbered
// order and then on to the button columns.
TEST_F(MainFormWindowTest, TabMovesTheFocusInTheSettingsPagesOrder) {
  SendMessageA(HandleOf(*form_.FindControl("SettingsBtn")), BM_CLICK, 0, 0);
  const char* order[] = {
      "chkStartup",          "chkMinimize", "chkQuarantine",  "chkDeepScanReg", "chkAutoTerminate",
      "chkAutoStartMonitor", "comboSpeed",  "chkScanStartup", "chkKeepLog",     "StatusBtn"};
  SetForegroundWindow(FormHandle(form_));
  SetFocus(HandleOf(*form_.FindControl(order[0])));
  for (std::size_t next = 1; next < std::size(order); ++next) {
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    Pump();
    EXPECT_EQ(GetFocus(), HandleOf(*form_.FindControl(order[next]))) << order[next];
  }
}

TEST_F(MainFormWindowTest, SideButtonShowsItsPopUpHintAfterAPause) {
  const HWND button = HandleOf(*form_.FindControl("StatusBtn"));
  SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_FALSE(backend_.Hints().Showing());
  const DWORD start = GetTickCount();
  while (!backend_.Hints().Showing() && GetTickCount() - start < 30000) {
    backend_.ProcessMessages();
    Sleep(10);
  }
  EXPECT_TRUE(backend_.Hints().Showing());
  EXPECT_EQ(backend_.Hints().Text(), "Show status of the software");
  EXPECT_EQ(TextOf("lblHint"), "Hover the mouse over right buttons to see description here");
  SendMessageA(button, WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(backend_.Hints().Showing());
}

}  // namespace
}  // namespace nexolant::win32
