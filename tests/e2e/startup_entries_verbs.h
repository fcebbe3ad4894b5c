#pragma once

#include <string>

// The driver's verbs that plant and read where programs start from, through the system's own
// interfaces (the shell's link object and the Task Scheduler), as an installer would.
namespace nexolant::e2e {

// make-shortcut LINK TARGET [ARGUMENTS]: writes a shortcut.
int MakeShortcutVerb(const std::string& link, const std::string& target,
                     const std::string& arguments);
// tasks: prints "path|program|arguments" for each program every listed task starts.
int ListTasksVerb();
// make-task PATH PROGRAM [ARGUMENTS]: registers a task that starts the program at logon.
int MakeTaskVerb(const std::string& path, const std::string& program, const std::string& arguments);
// task-xml PATH: prints the task's definition as the scheduler exports it.
int TaskXmlVerb(const std::string& path);
// delete-task PATH
int DeleteTaskVerb(const std::string& path);

}  // namespace nexolant::e2e
