#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "contracts/registry_contract.h"
#include "scripted_program.h"
#include "support/encipher_reference.h"
#include "support/scoped_folder.h"
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

// The keys below a key of HKEY_CURRENT_USER, each as its path below it, as the wide functions
// list them.
std::set<std::wstring> WideKeyListing(const std::wstring& path) {
  std::set<std::wstring> names;
  HKEY raw = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) {
    return names;
  }
  const UniqueRegistryKey key(raw);
  wchar_t name[256];
  for (DWORD index = 0, length = 256; RegEnumKeyExW(key.get(), index, name, &length, nullptr,
                                                    nullptr, nullptr, nullptr) == ERROR_SUCCESS;
       ++index, length = 256) {
    names.insert(name);
    for (const std::wstring& inner : WideKeyListing(path + L"\\" + name)) {
      names.insert(std::wstring(name) + L"\\" + inner);
    }
  }
  return names;
}

void PutKey(const std::wstring& path) {
  HKEY raw = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &raw, nullptr),
            ERROR_SUCCESS);
  const UniqueRegistryKey key(raw);
}

void PutWide(const std::wstring& path, const std::string& content) {
  const UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file);
  DWORD written = 0;
  WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
}

// Files and keys named in Cyrillic, Greek and CJK beside plain ones, under the real file
// system, registry and index, through the main window with the scripted window system. A hidden
// folder, found as a file, holds a file so named. Two keys share one ANSI spelling: neither
// can be named exactly, so both stay and are reported.
class WideNamesRepairTest : public ::testing::Test {
 protected:
  WideNamesRepairTest() : scan_(Wide(folder_.File("scan"))) {
    folder_.Put("Reference.dat", nexolant::testing::EncipherReference(
                                     "[ScanFiles]\nNXW_*=Bad\n[Registry]\nNXK_*=Bad key\n"));
    CreateDirectoryW(scan_.c_str(), nullptr);
    CreateDirectoryW((scan_ + L"\\\u0416\u0443\u043a").c_str(), nullptr);
    CreateDirectoryW((scan_ + L"\\nxw_dir").c_str(), nullptr);
    SetFileAttributesW((scan_ + L"\\nxw_dir").c_str(), FILE_ATTRIBUTE_HIDDEN);
    for (const std::wstring& name : kNames) {
      PutWide(scan_ + L"\\" + name, "content");
    }
    for (const std::wstring& name : kKeys) {
      PutKey(keys_ + L"\\" + name);
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
    Click(form, "btnNext");
    Click(form, "btnStop");
    // Appear after the scan: Repair must not take them for the Greek names.
    PutWide(scan_ + L"\\nxw_alpha.dll", "look-alike");
    PutKey(keys_ + L"\\nxk_alpha");
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
  void RemoveLookAlikes() {
    DeleteFileW((scan_ + L"\\nxw_alpha.dll").c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, (keys_ + L"\\nxk_alpha").c_str());
  }

  const std::vector<std::wstring> kNames{L"nxw_\u0436\u0443\u043a.dll",
                                         L"nxw_\u03b1lpha.dll",
                                         L"nxw_\u866b.dll",
                                         L"nxw_plain.dll",
                                         L"\u0416\u0443\u043a\\nxw_inner.dll",
                                         L"nxw_dir\\\u0436\u0443\u043a.txt"};
  const std::set<std::wstring> kKeys{L"nxk_\u0436\u0443\u043a",
                                     L"nxk_\u03b1lpha",
                                     L"nxk_\u866b",
                                     L"nxk_plain",
                                     L"nxk_\u0436\u0443\u043a\\\u866b\u866b",
                                     L"nxk_held_\u03bb",
                                     L"nxk_held_\u0436"};
  ScopedFolder folder_;
  std::wstring scan_;
  Win32Registry registry_;
  const contracts::ScratchKey scratch_{
      registry_, "Software\\NexolantWideKeys-" + std::to_string(GetCurrentProcessId())};
  const std::wstring keys_ = Wide(scratch_.Path());
  ScriptedProgram program_;
};

TEST_F(WideNamesRepairTest, AreQuarantinedRestoredAndEmptiedUnderTheirExactNames) {
  if (GetACP() != 1252) {
    GTEST_SKIP() << "the names are chosen for code page 1252, this system has " << GetACP();
  }
  const std::wstring held = scan_ + L"\\nxw_held_\u03bb.dll";
  PutWide(held, "held");
  const UniqueFileHandle holder(CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(holder);
  const std::set<std::wstring> before = WideListing(scan_);
  const std::wstring quarantine = Wide(folder_.File("Quarantine"));
  const std::set<std::wstring> stayed{L"nxk_held_\u03bb", L"nxk_held_\u0436", L"nxk_alpha"};

  RunProgram([&](TMainForm& form) {
    ScanAndRepair(form);
    std::multiset<std::string> shown;
    for (const ui::ListItem& row :
         dynamic_cast<ui::ListView&>(*form.FindControl("Report")).Items()) {
      shown.insert(row.caption);
    }
    EXPECT_EQ(shown, (std::multiset<std::string>{"nxw_???.dll", "nxw_?lpha.dll", "nxw_?.dll",
                                                 "nxw_plain.dll", "nxw_inner.dll", "nxw_dir",
                                                 "nxw_held_?.dll", "nxk_???", "nxk_?lpha", "nxk_?",
                                                 "nxk_plain", "nxk_held_?", "nxk_held_?"}));
    EXPECT_EQ(Messages(), std::vector<std::string>{
                              "Nexolant could not remove 3 object(s); they are still on your "
                              "system."});
    EXPECT_EQ(form.Statistics().Values().ObjectsQuarantined, 10);
    EXPECT_EQ(form.Statistics().Values().ObjectsRemoved, 0);
    EXPECT_EQ(WideListing(scan_), (std::set<std::wstring>{L"\u0416\u0443\u043a", L"nxw_alpha.dll",
                                                          L"nxw_held_\u03bb.dll"}));
    EXPECT_EQ(WideKeyListing(keys_), stayed);
    for (const std::wstring& name : WideListing(quarantine)) {
      EXPECT_TRUE(std::all_of(name.begin(), name.end(), [](wchar_t c) { return c < 0x80; }));
    }
    EXPECT_EQ(WideListing(quarantine).size(), 10u);
    Click(form, "QuarantineBtn");
    while (List(form).Count() > 0) {
      program_.backend.ClickRow(List(form), 0);
      Click(form, "btnRestore");
    }
  });
  std::set<std::wstring> restored = before;
  restored.insert(L"nxw_alpha.dll");
  EXPECT_EQ(WideListing(scan_), restored);
  EXPECT_EQ(WideListing(scan_ + L"\\\u0416\u0443\u043a"), std::set<std::wstring>{L"nxw_inner.dll"});
  EXPECT_EQ(WideListing(scan_ + L"\\nxw_dir"), std::set<std::wstring>{L"\u0436\u0443\u043a.txt"});
  std::set<std::wstring> restoredKeys = kKeys;
  restoredKeys.insert(L"nxk_alpha");
  EXPECT_EQ(WideKeyListing(keys_), restoredKeys);
  RemoveLookAlikes();

  RunProgram([&](TMainForm& form) { ScanAndRepair(form); });
  RunProgram([&](TMainForm& form) {
    EXPECT_EQ(List(form).Count(), 10);
    Click(form, "QuarantineBtn");
    program_.backend.QueueAnswer(ui::MessageResult::kYes);
    Click(form, "btnEmpty");
  });
  EXPECT_EQ(WideListing(scan_), (std::set<std::wstring>{L"\u0416\u0443\u043a", L"nxw_alpha.dll",
                                                        L"nxw_held_\u03bb.dll"}));
  EXPECT_EQ(WideKeyListing(keys_), stayed);
  EXPECT_EQ(GetFileAttributesW(quarantine.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace nexolant::win32
