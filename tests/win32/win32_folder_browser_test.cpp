#include "win32/win32_folder_browser.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/scoped_folder.h"

namespace nexolant::win32 {
namespace {

using nexolant::testing::ScopedFolder;

// The browse dialog of this thread, as a user sees it.
struct DialogLook {
  bool centred = false;
  std::vector<std::string> buttons;  // the visible buttons' texts
  std::vector<std::string> texts;    // the visible static texts
};

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM result) {
  char name[16] = "";
  GetClassNameA(hwnd, name, sizeof name);
  if (std::string(name) == "#32770" && IsWindowVisible(hwnd)) {
    *reinterpret_cast<HWND*>(result) = hwnd;
    return FALSE;
  }
  return TRUE;
}

HWND OpenDialog() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

BOOL CALLBACK NoteChild(HWND hwnd, LPARAM data) {
  auto& found = *reinterpret_cast<DialogLook*>(data);
  char name[32] = "";
  char text[512] = "";
  GetClassNameA(hwnd, name, sizeof name);
  GetWindowTextA(hwnd, text, sizeof text);
  if (IsWindowVisible(hwnd)) {
    if (lstrcmpiA(name, "Button") == 0) {
      found.buttons.push_back(text);
    } else if (lstrcmpiA(name, "Static") == 0 && text[0] != '\0') {
      found.texts.push_back(text);
    }
  }
  return TRUE;
}

DialogLook LookAt(HWND dialog) {
  DialogLook look;
  RECT frame;
  GetWindowRect(dialog, &frame);
  const int dx = (frame.left + frame.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2;
  const int dy = (frame.top + frame.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2;
  look.centred = dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1;
  EnumChildWindows(dialog, &NoteChild, reinterpret_cast<LPARAM>(&look));
  return look;
}

// Runs the dialog, and inside its modal loop, once it shows and ready() holds, looks at it and
// then presses the button with that id. A dialog that is not ready within 60 seconds of
// showing is pressed all the same, and the test's checks fail. The time counts from the
// dialog's first appearance: on a loaded machine the shell's first dialog of a process can
// take tens of seconds to show.
class FolderBrowserTest : public ::testing::Test {
 protected:
  std::optional<std::string> Browse(platform::FolderBrowseRequest request, int button,
                                    std::function<bool()> ready) {
    active_ = this;
    button_ = button;
    ready_ = std::move(ready);
    shownAt_.reset();
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &FolderBrowserTest::OnTimer);
    std::optional<std::string> result = browser_.Browse(request);
    KillTimer(nullptr, timer);
    active_ = nullptr;
    return result;
  }

  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    FolderBrowserTest& test = *active_;
    const HWND dialog = OpenDialog();
    if (dialog == nullptr || test.pressed_) {
      return;
    }
    if (!test.shownAt_) {
      test.shownAt_ = GetTickCount();
    }
    if (!test.ready_() && GetTickCount() - *test.shownAt_ < 60000) {
      return;
    }
    test.look_ = LookAt(dialog);
    test.pressed_ = true;
    PostMessageA(dialog, WM_COMMAND, test.button_, 0);
  }

  // The dialog shows before it has moved to its initial folder; the status line's text for
  // that folder marks the move.
  std::function<bool()> AtFolder(std::string folder) {
    return [this, folder = std::move(folder)] {
      return !selections_.empty() && lstrcmpiA(selections_.back().c_str(), folder.c_str()) == 0;
    };
  }

  // The request with a status line that records what it was asked for.
  platform::FolderBrowseRequest Request(std::string initialFolder) {
    return {.instruction = "Current folder:",
            .initialFolder = std::move(initialFolder),
            .statusText = [this](const platform::FolderSelection& selection) {
              selections_.push_back(selection.path);
              return "At " + selection.path;
            }};
  }

  static inline FolderBrowserTest* active_ = nullptr;
  Win32FolderBrowser browser_;
  int button_ = IDCANCEL;
  std::function<bool()> ready_;
  std::optional<DWORD> shownAt_;
  bool pressed_ = false;
  DialogLook look_;
  std::vector<std::string> selections_;
};

TEST_F(FolderBrowserTest, OpensCentredOnTheInitialFolderAndReturnsItOnOk) {
  const ScopedFolder folder;
  const std::string path = folder.path().string();
  const std::optional<std::string> chosen = Browse(Request(path), IDOK, AtFolder(path));
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(lstrcmpiA(chosen->c_str(), path.c_str()), 0) << *chosen;
  EXPECT_TRUE(look_.centred);
  EXPECT_EQ(look_.buttons, (std::vector<std::string>{"OK", "Cancel"}));
  ASSERT_FALSE(selections_.empty());
  EXPECT_EQ(lstrcmpiA(selections_.back().c_str(), path.c_str()), 0);
  bool instructionShown = false;
  bool statusShown = false;
  for (const std::string& text : look_.texts) {
    instructionShown |= text == "Current folder:";
    statusShown |= lstrcmpiA(text.c_str(), ("At " + path).c_str()) == 0;
  }
  EXPECT_TRUE(instructionShown);
  EXPECT_TRUE(statusShown);
}

TEST_F(FolderBrowserTest, ADriveRootComesBackWithItsBackslash) {
  EXPECT_EQ(Browse(Request("C:\\"), IDOK, AtFolder("C:\\")), std::optional<std::string>("C:\\"));
}

TEST_F(FolderBrowserTest, CancelReturnsNothing) {
  EXPECT_EQ(Browse(Request(""), IDCANCEL, [] { return true; }), std::nullopt);
  EXPECT_TRUE(pressed_);
}

// A failure in the status line's text leaves the line empty and the dialog usable.
TEST_F(FolderBrowserTest, AFailingStatusTextLeavesTheDialogUsable) {
  const ScopedFolder folder;
  platform::FolderBrowseRequest request = Request(folder.path().string());
  int asked = 0;
  request.statusText = [&asked](const platform::FolderSelection&) -> std::string {
    ++asked;
    throw std::runtime_error("no text");
  };
  EXPECT_TRUE(Browse(request, IDOK, [&asked] { return asked > 0; }).has_value());
}

}  // namespace
}  // namespace nexolant::win32
