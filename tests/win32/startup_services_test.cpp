// The services that read and remove where programs start from, against the system's own shell
// link object, Task Scheduler and service manager.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "helpers/make_shortcut.h"
#include "platform/errors.h"
#include "support/scoped_folder.h"
#include "win32/unique_handle.h"
#include "win32/wide_names.h"
#include "win32/win32_scheduled_tasks.h"
#include "win32/win32_service_control.h"
#include "win32/win32_shortcuts.h"

namespace nexolant::win32 {
namespace {

using nexolant::testing::ScopedFolder;

TEST(Win32ShortcutsTest, AShortcutGivesTheTargetAndArgumentsItWasWrittenWith) {
  const ScopedFolder folder;
  struct Case {
    std::wstring link;
    std::wstring target;
    std::wstring arguments;
  };
  // A target that does not exist is given as written, never searched for; a link's name the
  // code page cannot hold is reached through its exact spelling.
  const std::vector<Case> cases = {
      {L"Plain.lnk", L"C:\\windows\\notepad.exe", L""},
      {L"Missing target.lnk", L"C:\\Program Files\\Gone away\\agent.exe",
       L"/start \"two words\" -q"},
      {L"\u0391\u03b3\u03b5\u03bd\u03c4.lnk", L"C:\\windows\\regedit.exe", L"/s"},
  };
  Win32Shortcuts shortcuts;
  for (const Case& c : cases) {
    const std::wstring link = (folder.path() / c.link).wstring();
    ASSERT_HRESULT_SUCCEEDED(MakeShortcut(link, c.target, c.arguments)) << Utf8FromWide(c.link);
    const platform::ShortcutTarget read = shortcuts.TargetOf(PathFromWide(link));
    EXPECT_EQ(read.error, 0U) << Utf8FromWide(c.link);
    EXPECT_EQ(read.path, Utf8FromWide(c.target)) << Utf8FromWide(c.link);
    EXPECT_EQ(read.arguments, Utf8FromWide(c.arguments)) << Utf8FromWide(c.link);
  }
  folder.Put("Text.lnk", "not a shortcut");
  EXPECT_NE(shortcuts.TargetOf(folder.File("Text.lnk")).error, 0U);
  EXPECT_NE(shortcuts.TargetOf(folder.File("Missing.lnk")).error, 0U);
}

// A hidden, disabled task without triggers, with two programs to start.
constexpr char kTaskDefinition[] =
    R"(<Task version="1.2" xmlns="http://schemas.microsoft.com/windows/2004/02/mit/task">)"
    R"(<Principals><Principal id="Author"><LogonType>InteractiveToken</LogonType></Principal>)"
    R"(</Principals><Settings><Enabled>false</Enabled><Hidden>true</Hidden></Settings>)"
    R"(<Actions Context="Author"><Exec><Command>C:\windows\notepad.exe</Command>)"
    R"(<Arguments>/a "b c"</Arguments></Exec><Exec><Command>%windir%\regedit.exe</Command>)"
    R"(</Exec></Actions></Task>)";

// A task of the test's own, registered for one test and deleted after it.
class Win32ScheduledTasksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A task a failed run left behind.
    platform::BestEffort(tasks_.Delete(kPath));
    const platform::Outcome registered = tasks_.Register(kPath, kTaskDefinition);
    ASSERT_TRUE(registered) << "error " << registered.error;
  }
  // The test may have deleted it already.
  void TearDown() override { platform::BestEffort(tasks_.Delete(kPath)); }

  static constexpr char kPath[] = "\\Nexolant test\\Startup\\Hidden task";
  Win32ScheduledTasks tasks_;
};

TEST_F(Win32ScheduledTasksTest, AHiddenTaskInAFolderIsListedWithTheProgramsItStarts) {
  const platform::TaskListResult listed = tasks_.List();
  if (listed.error == static_cast<std::uint32_t>(E_NOTIMPL)) {
    GTEST_SKIP() << "this Task Scheduler cannot list a folder's tasks (Wine)";
  }
  const auto task = std::find_if(listed.tasks.begin(), listed.tasks.end(),
                                 [](const platform::ScheduledTask& t) { return t.path == kPath; });
  ASSERT_NE(task, listed.tasks.end()) << "listing error " << listed.error;
  const std::vector<platform::TaskAction> expected = {
      {.path = "C:\\windows\\notepad.exe", .arguments = "/a \"b c\""},
      {.path = "%windir%\\regedit.exe", .arguments = ""}};
  ASSERT_EQ(task->actions.size(), expected.size());
  for (std::size_t k = 0; k < expected.size(); ++k) {
    EXPECT_EQ(task->actions[k].path, expected[k].path);
    EXPECT_EQ(task->actions[k].arguments, expected[k].arguments);
  }
  EXPECT_FALSE(task->storedPassword);
}

TEST_F(Win32ScheduledTasksTest,
       ATaskDeletedIsRegisteredAgainExactlyFromItsDefinitionButNeverReplaced) {
  const platform::TaskDefinitionResult exported = tasks_.Definition(kPath);
  ASSERT_EQ(exported.error, 0U);

  ASSERT_TRUE(tasks_.Delete(kPath));
  EXPECT_FALSE(tasks_.Exists(kPath));
  EXPECT_NE(tasks_.Definition(kPath).error, 0U);
  EXPECT_FALSE(tasks_.Delete(kPath));

  ASSERT_TRUE(tasks_.Register(kPath, exported.xml));
  EXPECT_TRUE(tasks_.Exists(kPath));
  EXPECT_EQ(tasks_.Definition(kPath).xml, exported.xml);
  const std::string other = std::string(kTaskDefinition)
                                .replace(std::string(kTaskDefinition).find("notepad"), 7, "write");
  EXPECT_EQ(tasks_.Register(kPath, other).error, platform::kErrorAlreadyExists);
  EXPECT_EQ(tasks_.Definition(kPath).xml, exported.xml) << "the registered task was kept";
}

std::wstring SystemProgram(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  GetSystemDirectoryW(folder, MAX_PATH);
  return std::wstring(folder) + L"\\" + name;
}

DWORD StateOf(SC_HANDLE service) {
  SERVICE_STATUS status{};
  return QueryServiceStatus(service, &status) ? status.dwCurrentState : 0;
}

bool ServiceKeyExists(const wchar_t* name) {
  HKEY key = nullptr;
  const std::wstring path = std::wstring(L"SYSTEM\\CurrentControlSet\\Services\\") + name;
  const LONG opened = RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key);
  const UniqueRegistryKey owned(key);
  return opened == ERROR_SUCCESS;
}

// A service of the test's own, running Wine's stand-in print spooler: a program that does
// nothing but wait to be stopped.
TEST(Win32ServiceControlTest, AServiceIsStoppedRunningOrNotAndDeletedWithItsKey) {
  const std::wstring program = SystemProgram(L"spoolsv.exe");
  if (GetFileAttributesW(program.c_str()) == INVALID_FILE_ATTRIBUTES) {
    GTEST_SKIP() << "no service program to run at " << Utf8FromWide(program);
  }
  const wchar_t name[] = L"NexolantTestService";
  Win32ServiceControl control;
  // A service a failed run left behind.
  platform::BestEffort(control.Delete("NexolantTestService"));
  {
    const UniqueServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CREATE_SERVICE));
    ASSERT_TRUE(manager) << GetLastError();
    const UniqueServiceHandle service(
        CreateServiceW(manager.get(), name, name, SERVICE_START | SERVICE_QUERY_STATUS,
                       SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE,
                       program.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(service) << GetLastError();
    EXPECT_TRUE(control.Stop("NexolantTestService")) << "a service not running is stopped";

    ASSERT_TRUE(StartServiceW(service.get(), 0, nullptr)) << GetLastError();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (StateOf(service.get()) != SERVICE_RUNNING &&
           std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_EQ(StateOf(service.get()), static_cast<DWORD>(SERVICE_RUNNING));
    const platform::Outcome stopped = control.Stop("NexolantTestService");
    EXPECT_TRUE(stopped) << "error " << stopped.error;
    EXPECT_EQ(StateOf(service.get()), static_cast<DWORD>(SERVICE_STOPPED));
  }
  // The manager removes the key once no handle to the service is open.
  const platform::Outcome deleted = control.Delete("NexolantTestService");
  ASSERT_TRUE(deleted) << "error " << deleted.error;
  EXPECT_FALSE(ServiceKeyExists(name));
  for (const platform::Outcome gone :
       {control.Stop("NexolantTestService"), control.Delete("NexolantTestService")}) {
    EXPECT_EQ(gone.error, static_cast<std::uint32_t>(ERROR_SERVICE_DOES_NOT_EXIST));
  }
}

}  // namespace
}  // namespace nexolant::win32
