#include "protection/protection_policy.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/portable/cp1252_locale.h"
#include "support/scoped_folder.h"
#include "win32/win32_file_system.h"
#include "win32/win32_processes.h"
#include "win32/win32_registry.h"
#include "win32/win32_signature_evidence.h"

namespace nexolant::protection {
namespace {

// The policy over the system's own path services: the program's folder in every spelling.
TEST(ProtectionPolicyWin32Test, KnowsItsOwnFolderAndWindowsHoweverTheyAreSpelled) {
  win32::Win32FileSystem files;
  const platform::Cp1252Locale locale;
  win32::Win32Registry registry;
  win32::Win32ProcessApi processes;
  const win32::Win32SignatureEvidence evidence;
  const ProtectionPolicy policy({.files = files,
                                 .registry = registry,
                                 .locale = locale,
                                 .ownProcessId = GetCurrentProcessId(),
                                 .processes = processes,
                                 .evidence = evidence});
  const std::string exe = files.ExecutablePath().ansi;
  char shortExe[MAX_PATH] = {};
  ASSERT_NE(GetShortPathNameA(exe.c_str(), shortExe, MAX_PATH), 0u);
  const std::string folder = files.ProgramFolder().ansi;
  const std::string folderName = folder.substr(folder.rfind('\\', folder.size() - 2) + 1);
  nexolant::testing::ScopedFolder scratch;

  using enum PathProtection;
  EXPECT_EQ(policy.ProtectionOf(exe), kOwnFolder);
  EXPECT_EQ(policy.ProtectionOf(shortExe), kOwnFolder) << shortExe;
  EXPECT_EQ(policy.ProtectionOf(folder + "..\\" + folderName + "renamed.exe."), kOwnFolder);
  EXPECT_EQ(policy.ProtectionOf(files.WindowsFolder().ansi + "\\system32\\NOTEPAD.EXE"),
            kSystemName);
  EXPECT_EQ(policy.ProtectionOf(files.KnownFolderPath(platform::KnownFolder::kDesktop).ansi),
            kSystemFolder);
  EXPECT_EQ(policy.ProtectionOf(scratch.File("adware.exe")), kNone) << scratch.File("adware.exe");
  EXPECT_TRUE(policy.IsProtectedProcess("x.exe", GetCurrentProcessId()));
}

}  // namespace
}  // namespace nexolant::protection
