#include "protection/protection_policy.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "fakes/fake_processes.h"
#include "fakes/fake_signature_evidence.h"
#include "fakes/memory_file_system.h"
#include "fakes/memory_registry.h"
#include "platform/portable/cp1252_locale.h"
#include "protection/command_line.h"
#include "protection/protected_names.h"

namespace nexolant::protection {
namespace {

constexpr std::uint32_t kOwnId = 4242;

// A Windows 7 machine whose program folder has a short name, as under "C:\PROGRA~1".
MemoryFileSystem Machine() {
  MemoryFileSystem files;
  files.SetProgramFolder("C:\\Program Files\\Nexolant\\");
  for (const char* file :
       {"C:\\Program Files\\Nexolant\\Renamed.exe",
        "C:\\Program Files\\Nexolant\\Quarantine\\a.exe", "C:\\Windows\\System32\\notepad.exe",
        "C:\\Temp\\bad.exe", "C:\\Data\\Link\\bad.exe", "C:\\Users\\User\\Desktop\\toolbar.exe"}) {
    files.AddFile(file);
  }
  files.AddShortName("C:\\Program Files", "PROGRA~1");
  files.AddShortName("C:\\Program Files\\Nexolant", "NEXOLA~1");
  files.SetAttributes("C:\\Data\\Link",
                      platform::kAttributeDirectory | platform::kAttributeReparsePoint);
  files.SetDriveType('N', platform::DriveType::kRemote);
  // Windows marks folders of its own; adware hides its folders too, without that mark.
  files.AddFolder("C:\\Windows\\Marked");
  files.SetAttributes("C:\\Windows\\Marked", platform::kAttributeDirectory |
                                                 platform::kAttributeHidden |
                                                 platform::kAttributeSystem);
  files.AddFolder("C:\\Windows\\AdwareFolder");
  files.SetAttributes("C:\\Windows\\AdwareFolder",
                      platform::kAttributeDirectory | platform::kAttributeHidden);
  return files;
}

using enum PathProtection;
constexpr std::pair<const char*, PathProtection> kPathCases[] = {
    {"C:\\Program Files\\Nexolant", kOwnFolder},
    {"C:\\Program Files\\Nexolant\\Renamed.exe", kOwnFolder},
    {"c:/program files/nexolant/quarantine/a.exe", kOwnFolder},
    {"C:\\PROGRA~1\\NEXOLA~1\\Nexolant.exe", kOwnFolder},
    {"C:\\Windows\\..\\Program Files\\Nexolant\\Nexolant.chm", kOwnFolder},
    {"C:\\Program Files\\Nexolant. \\\\readme.txt", kOwnFolder},
    {"C:\\Program Files", kOwnFolder},
    {"C:\\Program Files\\Nexolant Tools\\a.exe", kNone},
    {"C:\\", kDriveRoot},
    {"D:", kDriveRoot},
    {"\\\\server\\share", kDriveRoot},
    {"C:\\pagefile.sys", kSystemName},
    {"C:\\Temp\\pagefile.sys", kNone},
    {"C:\\Windows", kSystemFolder},
    {"C:\\Windows\\System32\\NOTEPAD.EXE", kSystemName},
    {"C:\\Windows\\explorer.exe", kSystemName},
    {"C:\\Windows\\Temp\\kernel32.dll", kSystemName},
    {"C:\\Tools\\notepad.exe", kNone},
    {"C:\\Windows\\System32\\adware.dll", kNone},
    {"C:\\Windows\\System32\\ucrtbase.dll", kSystemName},
    {"C:\\Windows\\SysWOW64\\api-ms-win-core-file-l1-2-0.dll", kSystemName},
    {"C:\\Windows\\System32\\en-US\\adware.dll.mui", kSystemName},
    {"C:\\Windows\\WinSxS\\amd64_adware\\adware.dll", kSystemFolder},
    {"C:\\Windows\\Installer\\{90150000}\\setup.msi", kSystemFolder},
    {"C:\\Windows\\System32\\catroot2\\edb.log", kSystemFolder},
    {"C:\\Windows\\Marked", kSystemFolder},
    {"C:\\Windows\\AdwareFolder", kNone},
    {"C:\\Temp\\adware.dll.mui", kNone},
    {"C:\\Users\\Other\\NTUSER.DAT", kSystemName},
    {"C:\\Users\\Other\\ntuser.dat.LOG2", kSystemName},
    {"C:\\Users\\Other\\AppData\\Local\\Microsoft\\Windows\\UsrClass.dat", kSystemName},
    {"C:\\Users", kSystemFolder},
    {"C:\\Users\\Other", kSystemFolder},
    {"C:\\Users\\Other\\Documents", kSystemFolder},
    {"C:\\Users\\Other\\AppData", kSystemFolder},
    {"C:\\Users\\Other\\Downloads", kSystemFolder},
    {"C:\\Users\\User\\Desktop\\toolbar.exe", kNone},
    {"C:\\Users\\User\\AppData\\Roaming\\Adware", kNone},
    {"C:\\ProgramData", kSystemFolder},
    {"C:\\Data\\Link", kReparsePoint},
    {"C:\\Data\\Link\\bad.exe", kReparsePoint},
    {"\\\\server\\share\\bad.exe", kRemote},
    {"N:\\Shared\\bad.exe", kRemote},
    {"\\\\?\\C:\\Temp\\bad.exe", kNotPlain},
    {"\\\\.\\PhysicalDrive0", kNotPlain},
    {"C:\\Temp\\nul.txt", kNotPlain},
    {"C:\\Temp\\...\\bad.exe", kNotPlain},
    {"C:\\Temp\\bad.exe", kNone},
};

class ProtectionPolicyTest : public ::testing::Test {
 protected:
  MemoryFileSystem files_ = Machine();
  platform::Cp1252Locale locale_;
  MemoryRegistry registry_;
  FakeProcessApi processes_;
  FakeSignatureEvidence evidence_;
  ProtectionPolicy policy_{{.files = files_,
                            .registry = registry_,
                            .locale = locale_,
                            .ownProcessId = kOwnId,
                            .processes = processes_,
                            .evidence = evidence_}};
};

TEST_F(ProtectionPolicyTest, ProtectsFilesAndFoldersByPlaceAndName) {
  for (const auto& [path, expected] : kPathCases) {
    SCOPED_TRACE(path);
    EXPECT_EQ(policy_.ProtectionOf(path), expected);
  }
}

// A walk names what it finds by its start folder, in any spelling, and the long names it listed
// below it, and never enters a reparse point: split anywhere, such a path gets the answer of
// the full check.
TEST_F(ProtectionPolicyTest, AWalkGetsTheFullAnswerForWhatItFindsBelowItsStart) {
  for (const auto& [path, expected] : kPathCases) {
    const std::string_view full = path;
    if (full.starts_with("\\\\") || full.find("..") != std::string_view::npos ||
        full.find(". ") != std::string_view::npos) {
      continue;  // no listing gives such names
    }
    for (std::size_t cut = full.find('\\'); cut < full.size() - 1; cut = full.find('\\', cut + 1)) {
      const std::string_view names = full.substr(cut + 1);
      if (names.find("Link\\") != std::string_view::npos ||
          names.find('~') != std::string_view::npos) {
        continue;
      }
      SCOPED_TRACE(std::string(full.substr(0, cut + 1)) + " + " + std::string(names));
      const WalkStart start = policy_.WalkStartOf(full.substr(0, cut + 1));
      EXPECT_EQ(policy_.IsProtectedBelow(start, names), expected != kNone);
    }
  }
  const WalkStart shortStart = policy_.WalkStartOf("C:\\PROGRA~1\\");
  EXPECT_TRUE(policy_.IsProtectedBelow(shortStart, "Nexolant\\Renamed.exe"));
  EXPECT_TRUE(policy_.IsProtectedBelow(policy_.WalkStartOf("\\\\?\\C:\\Temp"), "bad.exe"));
}

// Windows' word protects a file and the processes of its image wherever they lie and whatever
// their names; it is asked only when place and name protect nothing.
TEST_F(ProtectionPolicyTest, WhatWindowsVouchesForIsItsOwnWhereNamesSayNothing) {
  files_.AddFile("C:\\Temp\\vouched.exe");
  evidence_.Vouch("C:\\Temp\\vouched.exe");
  processes_.Add(500, "C:\\Temp\\vouched.exe").exeFile = "vouched.exe";
  processes_.Add(501, "C:\\Temp\\bad.exe").exeFile = "bad.exe";

  EXPECT_EQ(policy_.ProtectionOf("c:\\temp\\VOUCHED.EXE"), kSystemName);
  EXPECT_EQ(policy_.ProtectionOf("C:\\Temp\\bad.exe"), kNone);
  EXPECT_TRUE(policy_.IsProtectedBelow(policy_.WalkStartOf("C:\\Temp\\"), "vouched.exe"));
  EXPECT_FALSE(policy_.IsProtectedBelow(policy_.WalkStartOf("C:\\Temp\\"), "bad.exe"));
  EXPECT_TRUE(policy_.IsProtectedProcess("vouched.exe", 500));
  EXPECT_TRUE(policy_.IsProtectedProcess("C:\\Temp\\vouched.exe", 0));
  EXPECT_FALSE(policy_.IsProtectedProcess("bad.exe", 501));
  EXPECT_FALSE(policy_.IsProtectedProcess("vouched.exe", 502));  // not running: no image

  const int asked = evidence_.Questions();
  EXPECT_EQ(policy_.ProtectionOf("C:\\Windows\\System32\\notepad.exe"), kSystemName);
  EXPECT_TRUE(policy_.IsProtectedProcess("explorer.exe", 600));
  EXPECT_EQ(evidence_.Questions(), asked);
}

TEST_F(ProtectionPolicyTest, ComparesPathsInOneNormalForm) {
  EXPECT_EQ(policy_.ProgramFolder(), "C:\\Program Files\\Nexolant");
  EXPECT_EQ(policy_.NormalPath("c:/windows/../Temp//bad.exe. "), "C:\\Temp\\bad.exe");
  EXPECT_EQ(policy_.NormalPath("C:\\PROGRA~1\\missing\\"), "C:\\Program Files\\missing");
  EXPECT_EQ(policy_.NormalPath("c:\\"), "C:\\");
  EXPECT_EQ(policy_.NormalPath("\\\\?\\C:\\Temp"), "");
  EXPECT_TRUE(policy_.IsSameOrInsideFolder("C:\\PROGRA~1\\Nexolant\\Quarantine\\a.exe",
                                           "c:\\program files\\nexolant\\quarantine\\"));
  EXPECT_FALSE(policy_.IsSameOrInsideFolder("C:\\Program Files\\Nexolant\\QuarantineOld\\a.exe",
                                            "C:\\Program Files\\Nexolant\\Quarantine"));
  EXPECT_FALSE(policy_.IsSameOrInsideFolder("\\\\.\\C:\\Temp", "C:\\"));
}

// Installed for a user whose name the code page cannot hold ("张三"), the policy knows the
// program's folder and the user's folders through their exact spelling, and a scan names what
// it finds there with "?" for those letters, or by a short name.
TEST(ProtectionPolicyExactFolders, ProtectsFoldersTheCodePageCannotHold) {
  MemoryFileSystem files;
  const platform::Path profile = files.FromExact("C:\\Users\\\xE5\xBC\xA0\xE4\xB8\x89");
  files.AddFolder(profile + "\\AppData\\Local\\Programs\\Nexolant\\Quarantine");
  files.AddFolder(profile + "\\Desktop");
  files.AddShortName(profile, "ZHANGS~1");
  files.SetKnownFolder(platform::KnownFolder::kProfile, profile);
  files.SetKnownFolder(platform::KnownFolder::kDesktop, profile + "\\Desktop");
  files.SetProgramFolder(profile + "\\AppData\\Local\\Programs\\Nexolant\\");
  const platform::Cp1252Locale locale;
  MemoryRegistry registry;
  FakeProcessApi processes;
  const FakeSignatureEvidence evidence;
  const ProtectionPolicy policy({.files = files,
                                 .registry = registry,
                                 .locale = locale,
                                 .ownProcessId = kOwnId,
                                 .processes = processes,
                                 .evidence = evidence});
  EXPECT_EQ(policy.ProgramFolder(), "C:\\Users\\??\\AppData\\Local\\Programs\\Nexolant");
  constexpr std::pair<const char*, PathProtection> kCases[] = {
      {"C:\\Users\\??\\AppData\\Local\\Programs\\Nexolant\\Quarantine\\a.exe", kOwnFolder},
      {"C:\\Users\\ZHANGS~1\\AppData\\Local\\Programs\\Nexolant", kOwnFolder},
      {"C:\\Users\\??\\AppData\\Local\\Programs\\Other\\a.exe", kNone},
      {"C:\\Users\\ZHANGS~1\\Desktop", kSystemFolder},
      {"C:\\Users\\??\\Desktop\\toolbar.exe", kNone},
  };
  for (const auto& [path, expected] : kCases) {
    SCOPED_TRACE(path);
    EXPECT_EQ(policy.ProtectionOf(path), expected);
  }
}

TEST_F(ProtectionPolicyTest, ProtectsWindowsProcessesAndItsOwn) {
  const std::tuple<const char*, std::uint32_t, bool> cases[] = {
      {"explorer.exe", 100, true},
      {"EXPLORER.EXE", 100, true},
      {"C:\\Windows\\explorer.exe", 100, true},
      {"[System]", 0xFFFFFFFF, true},
      {"System Idle Process", 0, true},
      {"svchost.exe", 100, true},
      {"MsMpEng.exe", 100, true},
      {"gator.exe", 100, false},
      {"gator.exe", kOwnId, true},
      {"C:\\Tools\\notepad.exe", 100, false},
      {"winedevice.exe", 100, true},
      {"C:\\Windows\\System32\\plugplay.exe", 100, true},
      {"C:\\Tools\\plugplay.exe", 100, false},
  };
  for (const auto& [name, id, expected] : cases) {
    SCOPED_TRACE(name);
    EXPECT_EQ(policy_.IsProtectedProcess(name, id), expected);
  }
}

// The listing of Windows' own names is the policy's: each is protected where Windows keeps its
// files, and nowhere else; each executable is one of Windows' processes there.
TEST_F(ProtectionPolicyTest, EveryListedWindowsNameIsProtectedWhereWindowsKeepsIt) {
  ASSERT_GT(WindowsOwnNames().size(), 500u);
  for (const std::string_view listed : WindowsOwnNames()) {
    const std::string name(listed);
    SCOPED_TRACE(name);
    EXPECT_NE(policy_.ProtectionOf("C:\\Windows\\System32\\" + name), kNone);
    EXPECT_NE(policy_.ProtectionOf("C:\\Windows\\SysWOW64\\drivers\\" + name), kNone);
    EXPECT_EQ(policy_.ProtectionOf("C:\\Tools\\" + name), kNone);
    if (name.ends_with(".exe")) {
      EXPECT_TRUE(policy_.IsProtectedProcess(name, 100));
      EXPECT_TRUE(policy_.IsProtectedProcess("C:\\Windows\\" + name, 100));
    }
  }
}

// Services, classes, Winlogon notifications and browser helpers are Windows' own by the program
// they name, with everything in them; adware's beside them stay removable.
TEST_F(ProtectionPolicyTest, JudgesEntriesByTheProgramTheyName) {
  using platform::RegistryRoot;
  const auto text = [](const std::string& value) { return value + '\0'; };
  const auto put = [&](RegistryRoot root, const std::string& key, const char* name,
                       const std::string& value) {
    registry_.SetValue(root, key, name, platform::kRegExpandString, text(value));
  };
  const std::string services = "SYSTEM\\CurrentControlSet\\Services\\";
  put(RegistryRoot::kLocalMachine, services + "Dhcp", "ImagePath",
      "%SystemRoot%\\system32\\svchost.exe -k LocalService");
  put(RegistryRoot::kLocalMachine, services + "Dhcp\\Parameters", "ServiceDll",
      "%SystemRoot%\\System32\\dhcpcsvc.dll");
  put(RegistryRoot::kLocalMachine, services + "GatorHost", "ImagePath",
      "%SystemRoot%\\system32\\svchost.exe -k netsvcs");
  put(RegistryRoot::kLocalMachine, services + "GatorHost", "ServiceDll",
      "C:\\Windows\\System32\\gatorsvc.dll");
  files_.AddFile("C:\\Windows\\System32\\gatorsvc.dll");
  put(RegistryRoot::kLocalMachine, services + "disk", "ImagePath", "System32\\drivers\\disk.sys");
  put(RegistryRoot::kLocalMachine, services + "GatorService", "ImagePath",
      "\"C:\\Program Files\\Gator\\gator.exe\" /service");
  put(RegistryRoot::kLocalMachine, services + "Gone", "ImagePath",
      "\\SystemRoot\\System32\\drivers\\missing.sys");
  put(RegistryRoot::kClassesRoot, "CLSID\\{AAAA}\\InprocServer32", "", "shell32.dll");
  put(RegistryRoot::kClassesRoot, "CLSID\\{BBBB}\\InprocServer32", "",
      "C:\\Program Files\\Gator\\toolbar.dll");
  put(RegistryRoot::kClassesRoot, "CLSID\\{CCCC}\\LocalServer32", "",
      "rundll32.exe C:\\Users\\User\\AppData\\Roaming\\gmt.dll,Run");
  put(RegistryRoot::kLocalMachine,
      "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Notify\\GatorLogon", "DLLName",
      "gatorlog.dll");
  files_.AddFile("C:\\Windows\\System32\\gatorlog.dll");
  const std::string helpers =
      "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser "
      "Helper Objects\\";
  const std::pair<std::string, bool> cases[] = {
      {"HKLM\\" + services + "Dhcp", true},
      {"HKLM\\" + services + "Dhcp\\Parameters", true},
      {"HKLM\\" + services + "disk", true},
      {"HKLM\\" + services + "Gone", true},
      {"HKLM\\" + services + "NoImage", true},
      {"HKLM\\" + services + "GatorHost", false},
      {"HKLM\\" + services + "GatorService\\Security", false},
      {"HKEY_CLASSES_ROOT\\CLSID\\{AAAA}\\InprocServer32", true},
      {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{AAAA}", true},
      {"HKEY_CLASSES_ROOT\\CLSID\\{BBBB}", false},
      {"HKEY_CLASSES_ROOT\\CLSID\\{CCCC}", false},
      {"HKEY_CLASSES_ROOT\\CLSID\\{DDDD}", true},
      {helpers + "{AAAA}", true},
      {helpers + "{BBBB}", false},
      {"HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Notify\\GatorLogon",
       false},
      {"HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Notify\\crypt32chain",
       true},
  };
  for (const auto& [path, expected] : cases) {
    SCOPED_TRACE(path);
    EXPECT_EQ(policy_.IsProtectedKey(path), expected);
  }
}

// Command lines as the registry writes them, read as the system starts them.
TEST(CommandLines, NameTheProgramTheSystemStarts) {
  const CommandFolders folders{.windows = "C:\\Windows", .programFiles = "C:\\Program Files"};
  const std::pair<const char*, const char*> cases[] = {
      {"\"C:\\Program Files\\Gator\\gator.exe\" /service", "C:\\Program Files\\Gator\\gator.exe"},
      {"C:\\Program Files\\Gator\\gator.exe /service", "C:\\Program Files\\Gator\\gator.exe"},
      {"  %ProgramFiles%\\Gator\\gmt.exe", "C:\\Program Files\\Gator\\gmt.exe"},
      {"%SystemRoot%\\system32\\svchost.exe -k netsvcs", "C:\\Windows\\system32\\svchost.exe"},
      {"%windir%\\explorer.exe", "C:\\Windows\\explorer.exe"},
      {"\\SystemRoot\\System32\\drivers\\disk.sys", "C:\\Windows\\System32\\drivers\\disk.sys"},
      {"\\??\\C:\\Windows\\system32\\drivers\\tcpip.sys",
       "C:\\Windows\\system32\\drivers\\tcpip.sys"},
      {"system32\\drivers\\ndis.sys", "C:\\Windows\\system32\\drivers\\ndis.sys"},
      {"ctfmon.exe", "C:\\Windows\\System32\\ctfmon.exe"},
      {"ctfmon", "C:\\Windows\\System32\\ctfmon.exe"},
      {"rundll32.exe shell32.dll,Control_RunDLL", "C:\\Windows\\System32\\shell32.dll"},
      {"%SystemRoot%\\System32\\rundll32.exe \"C:\\Ad Ware\\ad.dll\",Start", "C:\\Ad Ware\\ad.dll"},
      {"regsvr32 /s /u gator", "C:\\Windows\\System32\\gator.dll"},
      {"\\Program Files\\Gator\\gator.exe", "C:\\Program Files\\Gator\\gator.exe"},
      {"%APPDATA%\\gator.exe", ""},
      {"\"C:\\Unclosed\\gator.exe", "C:\\Unclosed\\gator.exe"},
      {"rundll32.exe", ""},
      {"   ", ""},
  };
  for (const auto& [command, program] : cases) {
    SCOPED_TRACE(command);
    EXPECT_EQ(ProgramOfCommand(command, folders), program);
  }
}

TEST_F(ProtectionPolicyTest, ProtectsKeysByPathWithTheirAncestors) {
  const std::pair<const char*, bool> cases[] = {
      {"HKEY_CURRENT_USER", true},
      {"HKEY_CURRENT_USER\\Software", true},
      {"hkey_current_user\\software\\microsoft\\windows\\currentversion\\run", true},
      {"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Gator", false},
      {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", true},
      {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion", true},
      {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Gator", false},
      {"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services", true},
      {"HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet002\\Enum", true},
      {"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager", true},
      {"HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet001\\Enum\\Root\\LEGACY_GATOR", true},
      {"HKEY_LOCAL_MACHINE\\HARDWARE\\DESCRIPTION\\System", true},
      {"HKEY_CLASSES_ROOT\\CLSID", true},
      {"HKEY_CLASSES_ROOT\\Gator.Toolbar\\CLSID", false},
      {"HKEY_CLASSES_ROOT\\.bat", true},
      {"HKEY_CLASSES_ROOT\\.gator\\ShellNew", true},
      {"HKEY_CLASSES_ROOT\\txtfile\\shell\\open\\command", true},
      {"HKEY_CLASSES_ROOT\\Interface\\{1D2E3F40-0000-0000-0000-000000000000}", true},
      {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID", true},
      {"HKEY_CURRENT_USER\\Software\\Classes\\exefile", true},
      {"HKEY_CLASSES_ROOT\\Wow6432Node\\TypeLib", true},
      {"HKEY_CURRENT_USER\\Software\\Nexolant\\Anything", true},
      {"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Nexolant",
       true},
      {"HKEY_USERS\\S-1-5-21-7\\Software\\Microsoft", true},
      {"HKEY_USERS\\S-1-5-21-7_Classes\\CLSID", true},
      {"HKEY_USERS\\S-1-5-21-7\\Software\\Gator", false},
      {"HKEY_USERS\\.DEFAULT", true},
      {"HKEY_CURRENT_USER\\Software\\\\Gator", true},
      {"HKEY_ELSEWHERE\\Gator", true},
  };
  for (const auto& [path, expected] : cases) {
    SCOPED_TRACE(path);
    EXPECT_EQ(policy_.IsProtectedKey(path), expected);
  }
}

}  // namespace
}  // namespace nexolant::protection
