#include "win32/win32_processes.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <stdexcept>
#include <string>

#include "processes/process_list.h"
#include "sleeper_process.h"
#include "support/scoped_folder.h"
#include "win32/system_library.h"
#include "win32/unique_handle.h"

namespace nexolant::win32 {
namespace {

using nexolant::testing::ScopedFolder;

bool Lists(const ProcessList& list, const std::string& name, std::int32_t id) {
  return std::any_of(list.begin(), list.end(), [&](const ProcessEntry& entry) {
    return entry.processId == id && UpperCase(entry.name) == UpperCase(name);
  });
}

TEST(Win32ProcessesTest, SnapshotListingFindsProcessesByExecutableName) {
  ScopedFolder folder;
  const std::string exeName = UniqueExeName();
  const HelperProcess helper(CopySleeper(folder, exeName));
  Win32ProcessApi api;
  ASSERT_TRUE(api.Version().platformId == platform::kPlatformNt && api.Version().majorVersion >= 5);
  ProcessList list{{"stale", 1}};
  EXPECT_TRUE(ListProcesses(api, list));
  EXPECT_TRUE(Lists(list, exeName, helper.id()));
  const std::string own = OwnPath().substr(OwnPath().find_last_of('\\') + 1);
  EXPECT_TRUE(Lists(list, own, static_cast<std::int32_t>(GetCurrentProcessId())));
  EXPECT_FALSE(Lists(list, "stale", 1));
}

TEST(Win32ProcessesTest, ProcessStatusListingGivesFullPaths) {
  ScopedFolder folder;
  const std::string path = CopySleeper(folder, UniqueExeName());
  const HelperProcess helper(path);
  Win32ProcessApi api(platform::VersionInfo{platform::kPlatformNt, 4});
  ProcessList list;
  EXPECT_TRUE(ListProcesses(api, list));
  EXPECT_TRUE(Lists(list, path, helper.id()));
  EXPECT_TRUE(Lists(list, OwnPath(), static_cast<std::int32_t>(GetCurrentProcessId())));
  for (const ProcessEntry& entry : list) {
    EXPECT_NE(entry.processId, 0);
    EXPECT_EQ(entry.name == "[System]", entry.processId == -1) << entry.name;
  }
}

TEST(Win32ProcessesTest, TerminatesEveryProcessOfTheBaseNameInEitherLetterCase) {
  for (const auto& spell : {UpperCase, LowerCase}) {
    ScopedFolder first;
    ScopedFolder second;
    const std::string exeName = UniqueExeName();
    const HelperProcess a(CopySleeper(first, exeName));
    const HelperProcess b(CopySleeper(second, exeName));
    Win32ProcessApi api;
    EXPECT_TRUE(TerminateProcessByName(api, spell(exeName)));
    EXPECT_EQ(a.WaitForExit(), 0u);
    EXPECT_EQ(b.WaitForExit(), 0u);
    EXPECT_FALSE(TerminateProcessByName(api, exeName));
  }
}

TEST(Win32ProcessesTest, SystemLibrariesComeFromTheSystemFolderOnly) {
  char folder[MAX_PATH] = {};
  ASSERT_GT(GetSystemDirectoryA(folder, MAX_PATH), 0u);
  for (const char* name : {"psapi.dll", "KERNEL32.DLL"}) {
    const UniqueModule module = LoadSystemLibrary(name);
    ASSERT_TRUE(module) << name;
    char path[MAX_PATH] = {};
    GetModuleFileNameA(module.get(), path, MAX_PATH);
    EXPECT_EQ(UpperCase(path), UpperCase(std::string(folder) + "\\" + name));
  }
  EXPECT_FALSE(LoadSystemLibrary("nexolant_no_such_library.dll"));
}

// A process created suspended has no module list yet, as a 64-bit process has none for a
// 32-bit program: its name comes from its image.
TEST(Win32ProcessesTest, AProcessWithoutAModuleListIsTerminatedByItsImageName) {
  ScopedFolder folder;
  const std::string exeName = UniqueExeName();
  const std::string path = CopySleeper(folder, exeName);
  std::string commandLine = "\"" + path + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  ASSERT_TRUE(CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                             CREATE_SUSPENDED | CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                             &info));
  OwnedProcess process;
  process.Adopt(info.hProcess);
  const UniqueHandle thread(info.hThread);
  const UniqueModule psapi = LoadSystemLibrary("psapi.dll");
  ASSERT_TRUE(psapi);
  const auto enumProcessModules = reinterpret_cast<BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, DWORD*)>(
      reinterpret_cast<void (*)()>(GetProcAddress(psapi.get(), "EnumProcessModules")));
  ASSERT_TRUE(enumProcessModules);
  HMODULE module = nullptr;
  DWORD needed = 0;
  EXPECT_FALSE(enumProcessModules(process.get(), &module, sizeof(module), &needed))
      << "the module list can be read: this test shows nothing here";
  Win32ProcessApi api;
  EXPECT_TRUE(TerminateProcessByName(api, LowerCase(exeName)));
  EXPECT_EQ(WaitForSingleObject(process.get(), 20000), WAIT_OBJECT_0);
}

TEST(Win32ProcessesTest, ANameWithAFolderTerminatesNothing) {
  ScopedFolder folder;
  const std::string path = CopySleeper(folder, UniqueExeName());
  const HelperProcess helper(path);
  Win32ProcessApi api;
  EXPECT_FALSE(TerminateProcessByName(api, path));
  EXPECT_TRUE(helper.Running());
}

// A name beyond the code page is listed by both methods with "?" for what the code page lacks,
// never with a look-alike (Greek alpha is not "a"); such a listed name may stand for other
// processes too, so it terminates nothing, and neither does the look-alike.
TEST(Win32ProcessesTest, ANameBeyondTheCodePageIsListedWithQuestionMarksAndEndsNothing) {
  ScopedFolder folder;
  const std::string stem = "NxSleep_" + std::to_string(GetCurrentProcessId()) + "_";
  const HelperProcess helper(CopySleeper(folder, Widen(stem) + L"\u03B1dware.exe"));
  for (const platform::VersionInfo version : {platform::VersionInfo{platform::kPlatformNt, 6},
                                              platform::VersionInfo{platform::kPlatformNt, 4}}) {
    Win32ProcessApi api(version);
    ProcessList list;
    ASSERT_TRUE(ListProcesses(api, list));
    EXPECT_TRUE(std::any_of(list.begin(), list.end(), [&](const ProcessEntry& entry) {
      return entry.processId == helper.id() && entry.name.ends_with(stem + "?dware.exe");
    })) << version.majorVersion;
  }
  Win32ProcessApi api;
  EXPECT_FALSE(TerminateProcessByName(api, stem + "?dware.exe"));
  EXPECT_FALSE(TerminateProcessByName(api, stem + "adware.exe"));
  EXPECT_TRUE(helper.Running());
}

TEST(Win32ProcessesTest, AProcessNeverTerminatesItself) {
  ScopedFolder folder;
  const HelperProcess helper(CopySleeper(folder, UniqueExeName()), "terminate-self");
  EXPECT_EQ(helper.WaitForExit(), 3u);
}

TEST(Win32ProcessesTest, CriticalProcessesAreRefused) {
  Win32ProcessApi api;
  ProcessList before;
  ASSERT_TRUE(ListProcesses(api, before));
  const auto services = std::find_if(before.begin(), before.end(), [](const ProcessEntry& e) {
    return UpperCase(e.name) == "SERVICES.EXE";
  });
  ASSERT_NE(services, before.end());
  for (const char* name : {"services.exe", "SERVICES.EXE", "System", "csrss.exe", "lsass.exe"}) {
    EXPECT_FALSE(TerminateProcessByName(api, name)) << name;
  }
  ProcessList after;
  ASSERT_TRUE(ListProcesses(api, after));
  EXPECT_TRUE(Lists(after, services->name, services->processId));
}

}  // namespace
}  // namespace nexolant::win32
