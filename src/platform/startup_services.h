#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/path.h"

namespace nexolant::platform {

// What a shortcut (.lnk) starts, as the shell's link interface reads it: the target's path and
// its arguments (UTF-8), without resolving a target that moved.
struct [[nodiscard]] ShortcutTarget {
  std::string path{};       // empty for a shortcut to no file (a shell item, an address)
  std::string arguments{};  // empty when there are none
  std::uint32_t error = 0;
};

// Shortcuts as the shell reads them.
class Shortcuts {
 public:
  virtual ~Shortcuts() = default;
  // The shortcut file is reached through its exact spelling when it has one; error is set when
  // it cannot be read as a shortcut.
  virtual ShortcutTarget TargetOf(const Path& shortcut) = 0;
};

// One program a scheduled task starts.
struct TaskAction {
  std::string path{};  // as the task writes it, variables unexpanded (UTF-8)
  std::string arguments{};
};

// A registered task as the Task Scheduler lists it.
struct ScheduledTask {
  std::string path{};  // the full task path, "\Folder\Name" (UTF-8); "\Name" in the root folder
  std::vector<TaskAction> actions{};  // its actions that start a program, in order
  // The task runs with a password the scheduler keeps, which no program can read back: such a
  // task cannot be registered again exactly as it was.
  bool storedPassword = false;
};

struct [[nodiscard]] TaskListResult {
  std::vector<ScheduledTask> tasks{};
  std::uint32_t error = 0;  // the scheduler could not be reached; the list holds what was read
};

struct [[nodiscard]] TaskDefinitionResult {
  std::string xml{};  // the task's definition as the scheduler exports it (UTF-8)
  std::uint32_t error = 0;
};

// The Task Scheduler, reached through its own interface only: its files are never touched.
class ScheduledTasks {
 public:
  virtual ~ScheduledTasks() = default;
  // Every task of every folder, hidden ones too, each folder's tasks before its subfolders'.
  virtual TaskListResult List() = 0;
  virtual TaskDefinitionResult Definition(const std::string& path) = 0;
  virtual bool Exists(const std::string& path) = 0;
  virtual Outcome Delete(const std::string& path) = 0;
  // Registers the definition under the path, creating its folders; refused with
  // kErrorAlreadyExists when a task of that path exists, never replacing it.
  virtual Outcome Register(const std::string& path, const std::string& xml) = 0;
};

// The service manager, for what the registry cannot do alone.
class ServiceControl {
 public:
  virtual ~ServiceControl() = default;
  // Asks a running service to stop and waits a while for it; a service that is not running
  // is no failure.
  virtual Outcome Stop(const std::string& name) = 0;
  // Deletes the service from the manager's database, which removes its key.
  virtual Outcome Delete(const std::string& name) = 0;
};

}  // namespace nexolant::platform
