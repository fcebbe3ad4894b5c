#pragma once

#include <string>

#include "platform/registry.h"

namespace nexolant {

// The places a program is started from without the user asking.
enum class StartupKind {
  kRunValue,       // a value of a Run or RunOnce key
  kStartupFile,    // a file or shortcut in a Startup folder
  kService,        // a service's key
  kScheduledTask,  // a task of the Task Scheduler
  kBrowserHelper,  // a browser helper's key, or a toolbar's value
};

// The Report's location of the kinds that have no path to show.
inline constexpr const char* kServiceLocation = "Service";
inline constexpr const char* kScheduledTaskLocation = "Scheduled task";
inline constexpr const char* kBrowserHelperLocation = "Browser helper";

// The kind as the Details dialog and the scan log name it.
constexpr const char* StartupKindName(StartupKind kind) {
  switch (kind) {
    case StartupKind::kRunValue:
      return "Startup value";
    case StartupKind::kStartupFile:
      return "Startup folder item";
    case StartupKind::kService:
      return "Service";
    case StartupKind::kScheduledTask:
      return "Scheduled task";
    case StartupKind::kBrowserHelper:
      break;
  }
  return "Browser helper";
}

// One entry that starts a program, and exactly where it is written.
struct StartupEntry {
  StartupKind kind = StartupKind::kRunValue;
  // Values, services and helpers: the key that holds the value, or the entry's own key, as an
  // ANSI path below the root, and its full path as the Report writes paths.
  platform::RegistryRoot root = platform::RegistryRoot::kCurrentUser;
  std::string keyPath{};
  std::string keyFullPath{};
  // A value (a Run value, a toolbar) and its exact name; the other entries are keys.
  bool isValue = false;
  platform::WideString valueName{};
  // A task's path as the scheduler names it, "\Folder\Name" (UTF-8).
  std::string taskPath{};
  // The command line as written (ANSI spelling), and the full path of the program it starts.
  std::string command{};
  std::string program{};
  // Where the entry is, as the ignore list keeps it: a value's key path, "\" and its name; a
  // key's path; a task's path. Empty for a file, which is kept as a file.
  std::string place{};
  // A task the scheduler keeps a password for, which cannot be registered again as it was.
  bool storedPassword = false;

  // A file in a Startup folder counts as a file; the others count as registry keys.
  bool CountsAsFile() const {
    return kind == StartupKind::kStartupFile || kind == StartupKind::kScheduledTask;
  }
};

}  // namespace nexolant
