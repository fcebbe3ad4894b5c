#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scan/scan_fixture.h"

namespace nexolant {
namespace {

using platform::RegistryRoot;
using Strings = std::vector<std::string>;

// Patterns that would find what every machine holds, and Windows' own and the program's own
// processes, files and keys, beside one genuine signature of each kind.
constexpr const char* kHostileReference =
    "[ScanFiles]\n*=All\n?*=Any\n*.EXE=Programs\n*.DLL=Libraries\nnotepad.exe=Editor\n"
    "evil.exe=Evil file\n"
    "[OtherKill]\nexplorer.exe=Shell\nbadproc.exe=Bad process\n"
    "[Registry]\nSoftware=All software\nS*=Everything with S\nEvilKey=Evil key\n";

class HostileReferenceTest : public ScanTest {};

// A quick scan with deep scanning, then Repair: only the genuine objects are reported and
// acted on; the shell, Windows' files, HKEY_CURRENT_USER\Software and everything in the
// program's own folder and process stay as they were.
TEST_F(HostileReferenceTest, ReportsAndRemovesOnlyTheGenuineObjects) {
  processes_.SetCurrentProcessId(302);
  Start(kHostileReference);
  files_.AddFile("C:\\Windows\\notepad.exe", "editor");
  files_.AddFile("C:\\Windows\\System32\\kernel32.dll", "kernel");
  files_.AddFile("C:\\Windows\\Temp\\evil.exe", "evil");
  files_.AddFile(std::string(kFolder) + "Tools\\evil.exe", "own tool");
  processes_.Add(300, "C:\\Windows\\explorer.exe");
  processes_.Add(301, "C:\\Temp\\badproc.exe");
  processes_.Add(302, std::string(kFolder) + "badproc.exe");
  registry_.AddKey(RegistryRoot::kCurrentUser, "Software\\Microsoft\\Windows");
  registry_.AddKey(RegistryRoot::kCurrentUser, "Software\\Vendor\\EvilKey\\Sub");

  RunScan("chkQuick");
  EXPECT_EQ(Rows(),
            (Strings{"badproc.exe|Memory|Bad process", "evil.exe|C:\\Windows\\Temp|Evil file",
                     "EvilKey|HKEY_CURRENT_USER\\Software\\Vendor|Evil key"}));
  ASSERT_TRUE(backend_.Click(StopButton()));
  ASSERT_TRUE(backend_.Click(Control("btnRepair")));

  EXPECT_EQ(processes_.Terminated(), (std::vector<std::uint32_t>{301}));
  EXPECT_EQ(files_.Contents("C:\\Windows\\notepad.exe"), "editor");
  EXPECT_EQ(files_.Contents("C:\\Windows\\System32\\kernel32.dll"), "kernel");
  EXPECT_EQ(files_.Contents(std::string(kFolder) + "Tools\\evil.exe"), "own tool");
  EXPECT_FALSE(files_.Contents("C:\\Windows\\Temp\\evil.exe"));
  EXPECT_TRUE(registry_.HasKey(RegistryRoot::kCurrentUser, "Software\\Microsoft\\Windows"));
  EXPECT_FALSE(registry_.HasKey(RegistryRoot::kCurrentUser, "Software\\Vendor\\EvilKey"));
  EXPECT_TRUE(registry_.HasKey(RegistryRoot::kCurrentUser, "Software\\Vendor"));
}

// A name is weak evidence: files and a process that Windows vouches for stay through a scan
// and Repair however the reference names them, while the adware beside them goes. The system
// is asked only of what matched, not of every file the walk passes.
TEST_F(HostileReferenceTest, WhatWindowsVouchesForStaysAndTheAdwareBesideItGoes) {
  Start(
      "[ScanFiles]\nsetup.exe=Bundler\nevil.exe=Evil file\n"
      "[OtherKill]\nupdater.exe=Updater\nbadproc.exe=Bad process\n");
  files_.AddFile("C:\\Drivers\\setup.exe", "vouched");
  files_.AddFile("C:\\Drivers\\evil.exe", "evil");
  for (int k = 0; k < 50; ++k) {
    files_.AddFile("C:\\Drivers\\other" + std::to_string(k) + ".dat");
  }
  evidence_.Vouch("C:\\Drivers\\setup.exe");
  evidence_.Vouch("C:\\Drivers\\updater.exe");
  processes_.Add(400, "C:\\Drivers\\updater.exe");
  processes_.Add(401, "C:\\Temp\\badproc.exe");

  ScanFolder("C:\\Drivers");
  EXPECT_EQ(Rows(), (Strings{"badproc.exe|Memory|Bad process", "evil.exe|C:\\Drivers|Evil file"}));
  EXPECT_LE(evidence_.Questions(), 4);  // at most once for each object matched by name
  ASSERT_TRUE(backend_.Click(StopButton()));
  ASSERT_TRUE(backend_.Click(Control("btnRepair")));

  EXPECT_EQ(processes_.Terminated(), (std::vector<std::uint32_t>{401}));
  EXPECT_EQ(files_.Contents("C:\\Drivers\\setup.exe"), "vouched");
  EXPECT_FALSE(files_.Contents("C:\\Drivers\\evil.exe"));
}

// Adware in System32 under its own names, with a service and a Winlogon notification that name
// its programs there: Repair removes the entries as well as the files, though each entry is told
// from Windows' own by a program that Repair moves away.
TEST_F(HostileReferenceTest, RemovesTheEntriesOfTheProgramsItMoves) {
  constexpr const char* kService = "SYSTEM\\CurrentControlSet\\Services\\BarTopService";
  constexpr const char* kNotification =
      "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Notify\\BarTopNotify";
  Start(
      "[ScanFiles]\nbartopsvc.exe=Adware service\nbartophook.dll=Adware library\n"
      "[Registry]\nBarTopService=Adware service\nBarTopNotify=Adware notification\n");
  SetDeepScan(true);
  files_.AddFile("C:\\Windows\\System32\\bartopsvc.exe", "service");
  files_.AddFile("C:\\Windows\\System32\\bartophook.dll", "library");
  const auto text = [this](const char* key, const char* name, const char* value) {
    registry_.SetValue(RegistryRoot::kLocalMachine, key, name, platform::kRegString, value);
  };
  text(kService, "ImagePath", "%SystemRoot%\\system32\\bartopsvc.exe");
  text(kNotification, "DLLName", "bartophook.dll");

  RunScan("chkQuick");
  ASSERT_EQ(Rows().size(), 4u);
  ASSERT_TRUE(backend_.Click(StopButton()));
  ASSERT_TRUE(backend_.Click(Control("btnRepair")));

  EXPECT_FALSE(files_.FileExists("C:\\Windows\\System32\\bartopsvc.exe"));
  EXPECT_FALSE(files_.FileExists("C:\\Windows\\System32\\bartophook.dll"));
  for (const char* key : {kService, kNotification}) {
    EXPECT_FALSE(registry_.HasKey(RegistryRoot::kLocalMachine, key)) << key;
  }
}

}  // namespace
}  // namespace nexolant
