#include "startup_entries_verbs.h"

#include <windows.h>

#include <cstdio>

#include "win32/helpers/make_shortcut.h"
#include "win32/wide_names.h"
#include "win32/win32_scheduled_tasks.h"

namespace nexolant::e2e {

int MakeShortcutVerb(const std::string& link, const std::string& target,
                     const std::string& arguments) {
  const HRESULT result = win32::MakeShortcut(win32::WideFromAnsi(link), win32::WideFromAnsi(target),
                                             win32::WideFromAnsi(arguments));
  if (FAILED(result)) {
    std::fprintf(stderr, "cannot write %s: 0x%08lx\n", link.c_str(),
                 static_cast<unsigned long>(result));
    return 1;
  }
  return 0;
}

int ListTasksVerb() {
  win32::Win32ScheduledTasks tasks;
  const platform::TaskListResult listed = tasks.List();
  for (const platform::ScheduledTask& task : listed.tasks) {
    for (const platform::TaskAction& action : task.actions) {
      std::printf("%s|%s|%s\n", task.path.c_str(), action.path.c_str(), action.arguments.c_str());
    }
  }
  if (listed.error != 0) {
    std::fprintf(stderr, "the scheduler lists no tasks: error 0x%08lx\n",
                 static_cast<unsigned long>(listed.error));
    return 1;
  }
  return 0;
}

// The program and its arguments go into the definition as they are: they hold no markup.
int MakeTaskVerb(const std::string& path, const std::string& program,
                 const std::string& arguments) {
  const std::string xml =
      R"(<Task version="1.2" xmlns="http://schemas.microsoft.com/windows/2004/02/mit/task">)"
      R"(<Triggers><LogonTrigger><Enabled>true</Enabled></LogonTrigger></Triggers>)"
      R"(<Principals><Principal id="Author"><LogonType>InteractiveToken</LogonType>)"
      R"(</Principal></Principals><Settings><Enabled>true</Enabled></Settings>)"
      R"(<Actions Context="Author"><Exec><Command>)" +
      program + "</Command><Arguments>" + arguments + "</Arguments></Exec></Actions></Task>";
  win32::Win32ScheduledTasks tasks;
  const platform::Outcome registered = tasks.Register(path, xml);
  if (!registered) {
    std::fprintf(stderr, "cannot register %s: error %lu\n", path.c_str(),
                 static_cast<unsigned long>(registered.error));
    return 1;
  }
  return 0;
}

int TaskXmlVerb(const std::string& path) {
  win32::Win32ScheduledTasks tasks;
  const platform::TaskDefinitionResult definition = tasks.Definition(path);
  if (definition.error != 0) {
    std::fprintf(stderr, "no task %s: error %lu\n", path.c_str(),
                 static_cast<unsigned long>(definition.error));
    return 1;
  }
  std::fwrite(definition.xml.data(), 1, definition.xml.size(), stdout);
  return 0;
}

int DeleteTaskVerb(const std::string& path) {
  win32::Win32ScheduledTasks tasks;
  const platform::Outcome deleted = tasks.Delete(path);
  if (!deleted) {
    std::fprintf(stderr, "cannot delete %s: error %lu\n", path.c_str(),
                 static_cast<unsigned long>(deleted.error));
    return 1;
  }
  return 0;
}

}  // namespace nexolant::e2e
