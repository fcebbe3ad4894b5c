#include "win32/win32_scheduled_tasks.h"

#include <windows.h>

#include <taskschd.h>

#include <string>
#include <utility>
#include <vector>

#include "win32/com_objects.h"
#include "win32/com_scope.h"
#include "win32/wide_names.h"

namespace nexolant::win32 {
namespace {

VARIANT EmptyVariant() {
  VARIANT empty;
  VariantInit(&empty);
  return empty;
}

VARIANT IndexVariant(LONG index) {
  VARIANT variant = EmptyVariant();
  variant.vt = VT_I4;
  variant.lVal = index;
  return variant;
}

struct Scheduler {
  ComPtr<ITaskService> service;
  HRESULT result = S_OK;
};

Scheduler Connect() {
  Scheduler scheduler;
  scheduler.result = CoCreateInstance(__uuidof(TaskScheduler), nullptr, CLSCTX_INPROC_SERVER,
                                      __uuidof(ITaskService), scheduler.service.OutVoid());
  if (SUCCEEDED(scheduler.result)) {
    scheduler.result =
        scheduler.service->Connect(EmptyVariant(), EmptyVariant(), EmptyVariant(), EmptyVariant());
  }
  return scheduler;
}

// A task path split into its folder's path and its own name: "\A\B\Name" is "\A\B" and
// "Name", "\Name" is "\" and "Name".
struct TaskPlace {
  std::wstring folder;
  std::wstring name;
};

TaskPlace PlaceOf(const std::string& path) {
  const std::wstring wide = WideFromUtf8(path);
  const std::size_t slash = wide.find_last_of(L'\\');
  if (slash == std::wstring::npos) {
    return {.folder = L"\\", .name = wide};
  }
  return {.folder = slash == 0 ? std::wstring(L"\\") : wide.substr(0, slash),
          .name = wide.substr(slash + 1)};
}

bool IsNotFound(HRESULT result) {
  return result == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) ||
         result == HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
}

// One registered task, opened through its folder.
struct OpenedTask {
  Scheduler scheduler;
  ComPtr<ITaskFolder> folder{};
  ComPtr<IRegisteredTask> task{};
  TaskPlace place;
  HRESULT result = S_OK;
};

OpenedTask OpenTask(const std::string& path) {
  OpenedTask opened{.scheduler = Connect(), .place = PlaceOf(path)};
  opened.result = opened.scheduler.result;
  if (SUCCEEDED(opened.result)) {
    opened.result = opened.scheduler.service->GetFolder(UniqueBstr(opened.place.folder).get(),
                                                        opened.folder.Out());
  }
  if (SUCCEEDED(opened.result)) {
    opened.result = opened.folder->GetTask(UniqueBstr(opened.place.name).get(), opened.task.Out());
  }
  return opened;
}

// The folder of that path, with every folder on the way made where it is missing.
HRESULT MakeFolder(ITaskService& service, const std::wstring& path, ComPtr<ITaskFolder>& folder) {
  HRESULT result = service.GetFolder(UniqueBstr(std::wstring(L"\\")).get(), folder.Out());
  for (std::size_t start = 1; SUCCEEDED(result) && start < path.size();) {
    std::size_t end = path.find(L'\\', start);
    end = end == std::wstring::npos ? path.size() : end;
    const UniqueBstr name(path.substr(start, end - start));
    ComPtr<ITaskFolder> next;
    result = folder->GetFolder(name.get(), next.Out());
    if (IsNotFound(result)) {
      result = folder->CreateFolder(name.get(), EmptyVariant(), next.Out());
    }
    folder = std::move(next);
    start = end + 1;
  }
  return result;
}

// A task password the scheduler keeps: always with a password logon, and with the interactive
// token or password logon whenever the user is not logged on.
bool KeepsPassword(TASK_LOGON_TYPE logon) {
  return logon == TASK_LOGON_PASSWORD || logon == TASK_LOGON_INTERACTIVE_TOKEN_OR_PASSWORD;
}

// A scheduler that keeps no logon type for a principal (Wine's) keeps no password either: the
// logon is then none.
HRESULT LogonTypeOf(ITaskDefinition& definition, TASK_LOGON_TYPE& logon) {
  ComPtr<IPrincipal> principal;
  HRESULT result = definition.get_Principal(principal.Out());
  if (SUCCEEDED(result)) {
    result = principal->get_LogonType(&logon);
  }
  if (result == E_NOTIMPL) {
    logon = TASK_LOGON_NONE;
    return S_OK;
  }
  return result;
}

// The definition's actions that start a program; the others (mail, message, COM handler) are
// passed over.
HRESULT ReadActions(ITaskDefinition& definition, std::vector<platform::TaskAction>& actions) {
  ComPtr<IActionCollection> all;
  HRESULT result = definition.get_Actions(all.Out());
  LONG count = 0;
  if (SUCCEEDED(result)) {
    result = all->get_Count(&count);
  }
  for (LONG index = 1; SUCCEEDED(result) && index <= count; ++index) {
    ComPtr<IAction> action;
    TASK_ACTION_TYPE type = TASK_ACTION_EXEC;
    result = all->get_Item(index, action.Out());
    if (SUCCEEDED(result)) {
      result = action->get_Type(&type);
    }
    if (FAILED(result) || type != TASK_ACTION_EXEC) {
      continue;
    }
    ComPtr<IExecAction> exec;
    UniqueBstr program;
    UniqueBstr arguments;
    result = action->QueryInterface(__uuidof(IExecAction), exec.OutVoid());
    if (SUCCEEDED(result)) {
      result = exec->get_Path(program.Out());
    }
    if (SUCCEEDED(result)) {
      result = exec->get_Arguments(arguments.Out());
    }
    if (SUCCEEDED(result)) {
      actions.push_back(
          {.path = Utf8FromWide(program.View()), .arguments = Utf8FromWide(arguments.View())});
    }
  }
  return result;
}

// Lists a folder's tasks, then its subfolders' in the scheduler's order. A task or folder that
// cannot be read is left out and its error kept, the first one only.
class TaskLister {
 public:
  void Folder(ITaskFolder& folder) {
    ComPtr<IRegisteredTaskCollection> tasks;
    LONG count = 0;
    if (Read(folder.GetTasks(TASK_ENUM_HIDDEN, tasks.Out())) && Read(tasks->get_Count(&count))) {
      for (LONG index = 1; index <= count; ++index) {
        ComPtr<IRegisteredTask> task;
        if (Read(tasks->get_Item(IndexVariant(index), task.Out()))) {
          Task(*task.get());
        }
      }
    }
    ComPtr<ITaskFolderCollection> folders;
    count = 0;
    if (Read(folder.GetFolders(0, folders.Out())) && Read(folders->get_Count(&count))) {
      for (LONG index = 1; index <= count; ++index) {
        ComPtr<ITaskFolder> subfolder;
        if (Read(folders->get_Item(IndexVariant(index), subfolder.Out()))) {
          Folder(*subfolder.get());
        }
      }
    }
  }

  bool Read(HRESULT result) {
    if (FAILED(result) && listed.error == 0) {
      listed.error = ErrorOfResult(result);
    }
    return SUCCEEDED(result);
  }

  platform::TaskListResult listed;

 private:
  void Task(IRegisteredTask& task) {
    UniqueBstr path;
    ComPtr<ITaskDefinition> definition;
    TASK_LOGON_TYPE logon = TASK_LOGON_NONE;
    platform::ScheduledTask found;
    if (Read(task.get_Path(path.Out())) && Read(task.get_Definition(definition.Out())) &&
        Read(ReadActions(*definition.get(), found.actions)) &&
        Read(LogonTypeOf(*definition.get(), logon))) {
      found.path = Utf8FromWide(path.View());
      found.storedPassword = KeepsPassword(logon);
      listed.tasks.push_back(std::move(found));
    }
  }
};

}  // namespace

platform::TaskListResult Win32ScheduledTasks::List() {
  const ComScope com;
  const Scheduler scheduler = Connect();
  TaskLister lister;
  ComPtr<ITaskFolder> root;
  if (lister.Read(scheduler.result) && lister.Read(scheduler.service->GetFolder(
                                           UniqueBstr(std::wstring(L"\\")).get(), root.Out()))) {
    lister.Folder(*root.get());
  }
  return std::move(lister.listed);
}

platform::TaskDefinitionResult Win32ScheduledTasks::Definition(const std::string& path) {
  const ComScope com;
  const OpenedTask opened = OpenTask(path);
  UniqueBstr xml;
  HRESULT result = opened.result;
  if (SUCCEEDED(result)) {
    result = opened.task->get_Xml(xml.Out());
  }
  if (FAILED(result)) {
    return {.error = ErrorOfResult(result)};
  }
  return {.xml = Utf8FromWide(xml.View())};
}

bool Win32ScheduledTasks::Exists(const std::string& path) {
  const ComScope com;
  return SUCCEEDED(OpenTask(path).result);
}

platform::Outcome Win32ScheduledTasks::Delete(const std::string& path) {
  const ComScope com;
  const OpenedTask opened = OpenTask(path);
  HRESULT result = opened.result;
  if (SUCCEEDED(result)) {
    result = opened.folder->DeleteTask(UniqueBstr(opened.place.name).get(), 0);
  }
  return OutcomeOfResult(result);
}

platform::Outcome Win32ScheduledTasks::Register(const std::string& path, const std::string& xml) {
  const ComScope com;
  const Scheduler scheduler = Connect();
  const TaskPlace place = PlaceOf(path);
  const UniqueBstr name(place.name);
  const UniqueBstr text(WideFromUtf8(xml));
  ComPtr<ITaskFolder> folder;
  ComPtr<ITaskDefinition> definition;
  ComPtr<IRegisteredTask> task;
  TASK_LOGON_TYPE logon = TASK_LOGON_NONE;
  HRESULT result = scheduler.result;
  if (SUCCEEDED(result)) {
    result = MakeFolder(*scheduler.service.get(), place.folder, folder);
  }
  // Asked first as well: TASK_CREATE alone refuses an existing task, but not with the same
  // error everywhere.
  if (SUCCEEDED(result) && SUCCEEDED(folder->GetTask(name.get(), task.Out()))) {
    return platform::Outcome::Failure(platform::kErrorAlreadyExists);
  }
  // The definition read once only to learn the logon its principal asks for.
  if (SUCCEEDED(result)) {
    result = scheduler.service->NewTask(0, definition.Out());
  }
  if (SUCCEEDED(result)) {
    result = definition->put_XmlText(text.get());
  }
  if (SUCCEEDED(result)) {
    result = LogonTypeOf(*definition.get(), logon);
  }
  if (SUCCEEDED(result)) {
    result = folder->RegisterTask(name.get(), text.get(), TASK_CREATE, EmptyVariant(),
                                  EmptyVariant(), logon, EmptyVariant(), task.Out());
  }
  if (result == HRESULT_FROM_WIN32(ERROR_FILE_EXISTS)) {
    return platform::Outcome::Failure(platform::kErrorAlreadyExists);
  }
  return OutcomeOfResult(result);
}

}  // namespace nexolant::win32
