#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/main_form.h"
#include "scripted_program.h"
#include "settings/run_entry.h"
#include "support/encipher_reference.h"
#include "support/scoped_folder.h"
#include "win32/unique_handle.h"
#include "win32/win32_file_system.h"
#include "win32/win32_registry.h"

namespace nexolant::win32 {
namespace {

using nexolant::testing::ScopedFolder;

// The "Nexolant" Run value of the test prefix, put back as it was at the end.
class RunValueGuard {
 public:
  RunValueGuard() { saved_ = Read(); }
  ~RunValueGuard() {
    if (saved_) {
      Write(*saved_);
    } else {
      Remove();
    }
  }
  RunValueGuard(const RunValueGuard&) = delete;
  RunValueGuard& operator=(const RunValueGuard&) = delete;

  // The value's type and bytes, none when it is missing.
  static std::optional<std::pair<DWORD, std::string>> Read() {
    UniqueRegistryKey key;
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    key.reset(raw);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), kRunValue, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    std::string data(size, '\0');
    RegQueryValueExA(key.get(), kRunValue, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                     &size);
    return std::pair{type, data};
  }
  static void Write(const std::pair<DWORD, std::string>& value) {
    HKEY raw = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &raw, nullptr),
              ERROR_SUCCESS);
    const UniqueRegistryKey key(raw);
    RegSetValueExA(key.get(), kRunValue, 0, value.first,
                   reinterpret_cast<const BYTE*>(value.second.data()),
                   static_cast<DWORD>(value.second.size()));
  }
  static void Remove() {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &raw) == ERROR_SUCCESS) {
      const UniqueRegistryKey key(raw);
      RegDeleteValueA(key.get(), kRunValue);
    }
  }

 private:
  std::optional<std::pair<DWORD, std::string>> saved_;
};

// Runs of the main window over the real private-profile service, registry and files, in a
// folder of its own, with the scripted window system.
class SettingsRoundTripTest : public ::testing::Test {
 protected:
  SettingsRoundTripTest() {
    folder_.Put("Reference.dat", nexolant::testing::EncipherReference("[ScanFiles]\nA.EXE=Bad\n"));
    RunValueGuard::Remove();
  }

  // One run: start, the action in the main loop, close.
  void RunProgram(const std::function<void(TMainForm& form)>& action) {
    program_.Run(folder_.Prefix(), [&](TMainForm& form) {
      program_.backend.Click(*form.FindControl("SettingsBtn"));
      action(form);
    });
    EXPECT_TRUE(program_.backend.Messages().empty()) << program_.backend.Messages()[0].text;
  }

  std::string Ini() const { return folder_.File("Nexolant.ini"); }
  std::string Stored(const char* section, const char* key) const {
    char value[256] = "";
    GetPrivateProfileStringA(section, key, "<none>", value, sizeof value, Ini().c_str());
    return value;
  }

  RunValueGuard runValue_;
  ScopedFolder folder_;
  ScriptedProgram program_;
};

TEST_F(SettingsRoundTripTest, OptionsAndFiguresComeBackFromTheRealFile) {
  RunProgram([&](TMainForm& form) {
    SettingsPage& page = form.Settings();
    EXPECT_TRUE(page.chkMinimize().Checked());
    EXPECT_EQ(page.comboSpeed().ItemIndex(), 8);
    program_.backend.SetChecked(page.chkMinimize(), false);
    program_.backend.SetChecked(page.chkAutoTerminate(), false);
    program_.backend.Select(page.comboSpeed(), 3);
    form.Statistics().ScanStarted(46000.75);
    form.Statistics().CountQuarantined();
  });
  const std::string text = folder_.Get("Nexolant.ini");
  std::size_t at = 0;
  for (const char* line :
       {"[Settings]", "FormVersion=0", "chkAutoStartMonitor_Checked=False",
        "chkMinimize_Checked=False", "chkQuarantine_Checked=True", "comboSpeed_ItemIndex=3",
        "chkAutoStartMonitor_Left=24", "chkAutoTerminate_Checked=False",
        "chkDeepScanReg_Checked=True", "[General]", "TotalScans=1", "ObjectsRemoved=0",
        "ObjectsQuarantined=1"}) {
    at = text.find(line, at);
    ASSERT_NE(at, std::string::npos) << line << " in order in\n" << text;
  }
  const std::string lastScan = Stored("General", "LastScan");
  EXPECT_TRUE(lastScan == "46000.75" || lastScan == "46000,75") << lastScan;

  RunProgram([&](TMainForm& form) {
    SettingsPage& page = form.Settings();
    EXPECT_FALSE(page.chkMinimize().Checked());
    EXPECT_FALSE(page.chkAutoTerminate().Checked());
    EXPECT_TRUE(page.chkQuarantine().Checked());
    EXPECT_EQ(page.comboSpeed().ItemIndex(), 3);
    EXPECT_EQ(form.Statistics().Values().TotalScans, 1);
    EXPECT_EQ(form.Statistics().Values().LastScan, 46000.75);
    EXPECT_EQ(form.Statistics().Values().ObjectsQuarantined, 1);
  });
}

TEST_F(SettingsRoundTripTest, HandEditedValuesFollowTheRules) {
  folder_.Put("Nexolant.ini",
              "[Settings]\r\nchkDeepScanReg_Checked= false \r\nchkQuarantine_Checked=no\r\n"
              "comboSpeed_ItemIndex=fast\r\n[General]\r\nTotalScans=1234\r\nLastScan=never\r\n");
  RunProgram([&](TMainForm& form) {
    EXPECT_FALSE(form.Settings().chkDeepScanReg().Checked());
    EXPECT_TRUE(form.Settings().chkQuarantine().Checked());
    EXPECT_EQ(form.Settings().comboSpeed().ItemIndex(), 0);
    EXPECT_EQ(form.Statistics().Values().TotalScans, 1234);
    EXPECT_EQ(form.Statistics().Values().LastScan, StatisticsValues::kNever);
  });
  EXPECT_EQ(Stored("Settings", "chkQuarantine_Checked"), "True");
  EXPECT_EQ(Stored("Settings", "comboSpeed_ItemIndex"), "0");
  EXPECT_EQ(Stored("General", "LastScan"), "-1");
}

TEST_F(SettingsRoundTripTest, TheRunValueHoldsTheExecutablesPathUntilUntickedByHand) {
  RunProgram([&](TMainForm& form) {
    EXPECT_FALSE(form.Settings().chkStartup().Checked());
    EXPECT_TRUE(program_.backend.SetChecked(form.Settings().chkStartup(), true));
  });
  const std::string executable = program_.files.ExecutablePath().ansi;
  ASSERT_TRUE(executable.ends_with("win32_tests.exe")) << executable;
  const std::pair<DWORD, std::string> quoted{REG_SZ, '"' + executable + '"' + '\0'};
  EXPECT_EQ(RunValueGuard::Read(), quoted);

  RunProgram([&](TMainForm& form) { EXPECT_TRUE(form.Settings().chkStartup().Checked()); });
  EXPECT_EQ(RunValueGuard::Read(), quoted) << "still there after a restart";

  RunProgram([&](TMainForm& form) {
    EXPECT_TRUE(program_.backend.SetChecked(form.Settings().chkStartup(), false));
  });
  EXPECT_FALSE(RunValueGuard::Read());
}

TEST_F(SettingsRoundTripTest, ARunValueWithAnotherPathIsLeftAlone) {
  const std::pair<DWORD, std::string> other{REG_SZ, std::string("C:\\Other\\Nexolant.exe") + '\0'};
  RunValueGuard::Write(other);
  RunProgram([&](TMainForm& form) { EXPECT_TRUE(form.Settings().chkStartup().Checked()); });
  AddRunEntry(program_.registry, program_.files.ExecutablePath());
  EXPECT_EQ(RunValueGuard::Read(), other);
}

}  // namespace
}  // namespace nexolant::win32
