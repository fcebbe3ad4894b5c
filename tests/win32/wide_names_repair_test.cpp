#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "scripted_program.h"
#include "support/encipher_reference.h"
#include "support/scoped_folder.h"
#include "ui/check_box.h"
#include "ui/list_view.h"
#include "win32/unique_handle.h"
#include "win32/win32_file_system.h"
#include "win32/win32_registry.h"

namespace nexolant::win32 {
namespace {

using nexolant::testing::ScopedFolder;

std::wstring Wide(const std::string& ansi) {
  const int length = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, wide.data(), length);
  wide.pop_back();
  return wide;
}

// The names in a folder as the wide functions list them.
std::set<std::wstring> WideListing(const std::wstring& folder) {
  std::set<std::wstring> names;
  WIN32_FIND_DATAW data;
  const UniqueFindHandle search(FindFirstFileW((folder + L"\\*").c_str(), &data));
  for (bool more = static_cast<bool>(search); more; more = FindNextFileW(search.get(), &data)) {
    const std::wstring name = data.cFileName;
    if (name != L"." && name != L"..") {
      names.insert(name);
    }
  }
  return names;
}

void PutWide(const std::wstring& path, const std::string& content) {
  const UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file);
  DWORD written = 0;
  WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
}

// Files named in Cyrillic, Greek and CJK beside plain ones, under the real file system and the
// real index, through the main window with the scripted window system.
class WideNamesRepairTest : public ::testing::Test {
 protected:
  WideNamesRepairTest() : scan_(Wide(folder_.File("scan"))) {
    folder_.Put("Reference.dat", nexolant::testing::EncipherReference("[ScanFiles]\nNX*=Bad\n"));
    CreateDirectoryW(scan_.c_str(), nullptr);
    CreateDirectoryW((scan_ + L"\\\u0416\u0443\u043a").c_str(), nullptr);
    for (const std::wstring& name : kNames) {
      PutWide(scan_ + L"\\" + name, "content");
    }
  }

  // One run of the program: start, the action in the main loop, close.
  void RunProgram(const std::function<void(TMainForm& form)>& action) {
    program_.Run(folder_.Prefix(), action);
  }
  void Click(TMainForm& form, const char* name) {
    ASSERT_TRUE(program_.backend.Click(*form.FindControl(name))) << name;
  }
  void ScanAndRepair(TMainForm& form) {
    program_.folderBrowser.QueueChoice(folder_.File("scan"));
    Click(form, "ScanBtn");
    Click(form, "lblSelect");
    dynamic_cast<ui::CheckBox&>(*form.FindControl("chkRegScan")).SetChecked(false);
    Click(form, "btnNext");
    Click(form, "btnStop");
    // Appears after the scan: Repair must not take it for the Greek name.
    PutWide(scan_ + L"\\nx_alpha.dll", "look-alike");
    Click(form, "btnRepair");
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const RecordedMessage& message : program_.backend.Messages()) {
      texts.push_back(message.text);
    }
    return texts;
  }
  ui::ListView& List(TMainForm& form) const {
    return dynamic_cast<ui::ListView&>(*form.FindControl("Quarantine"));
  }

  const std::vector<std::wstring> kNames{L"nx_\u0436\u0443\u043a.dll", L"nx_\u03b1lpha.dll",
                                         L"nx_\u866b.dll", L"nx_plain.dll",
                                         L"\u0416\u0443\u043a\\nx_inner.dll"};
  ScopedFolder folder_;
  std::wstring scan_;
  ScriptedProgram program_;
};

TEST_F(WideNamesRepairTest, AreQuarantinedRestoredAndEmptiedUnderTheirExactNames) {
  if (GetACP() != 1252) {
    GTEST_SKIP() << "the names are chosen for code page 1252, this system has " << GetACP();
  }
  const std::wstring held = scan_ + L"\\nx_held_\u03bb.dll";
  PutWide(held, "held");
  const UniqueFileHandle holder(CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(holder);
  const std::set<std::wstring> before = WideListing(scan_);
  const std::wstring quarantine = Wide(folder_.File("Quarantine"));

  RunProgram([&](TMainForm& form) {
    ScanAndRepair(form);
    std::set<std::string> shown;
    for (const ui::ListItem& row :
         dynamic_cast<ui::ListView&>(*form.FindControl("Report")).Items()) {
      shown.insert(row.caption);
    }
    EXPECT_EQ(shown, (std::set<std::string>{"nx_???.dll", "nx_?lpha.dll", "nx_?.dll",
                                            "nx_plain.dll", "nx_inner.dll", "nx_held_?.dll"}));
    EXPECT_EQ(Messages(), std::vector<std::string>{
                              "Nexolant could not remove 1 object(s); they are still on your "
                              "system."});
    EXPECT_EQ(WideListing(scan_), (std::set<std::wstring>{L"\u0416\u0443\u043a", L"nx_alpha.dll",
                                                          L"nx_held_\u03bb.dll"}));
    for (const std::wstring& name : WideListing(quarantine)) {
      EXPECT_TRUE(std::all_of(name.begin(), name.end(), [](wchar_t c) { return c < 0x80; }));
    }
    EXPECT_EQ(WideListing(quarantine).size(), 5u);
    Click(form, "QuarantineBtn");
    while (List(form).Count() > 0) {
      program_.backend.ClickRow(List(form), 0);
      Click(form, "btnRestore");
    }
  });
  std::set<std::wstring> restored = before;
  restored.insert(L"nx_alpha.dll");
  EXPECT_EQ(WideListing(scan_), restored);
  EXPECT_EQ(WideListing(scan_ + L"\\\u0416\u0443\u043a"), std::set<std::wstring>{L"nx_inner.dll"});
  DeleteFileW((scan_ + L"\\nx_alpha.dll").c_str());

  RunProgram([&](TMainForm& form) { ScanAndRepair(form); });
  RunProgram([&](TMainForm& form) {
    EXPECT_EQ(List(form).Count(), 5);
    Click(form, "QuarantineBtn");
    program_.backend.QueueAnswer(ui::MessageResult::kYes);
    Click(form, "btnEmpty");
  });
  EXPECT_EQ(WideListing(scan_), (std::set<std::wstring>{L"\u0416\u0443\u043a", L"nx_alpha.dll",
                                                        L"nx_held_\u03bb.dll"}));
  EXPECT_EQ(GetFileAttributesW(quarantine.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace nexolant::win32
