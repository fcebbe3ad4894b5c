#pragma once

#include <functional>
#include <string>

#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/startup_services.h"
#include "protection/entry_protection.h"
#include "startup/startup_entry.h"

namespace nexolant {

// What the reader reads the places through.
struct StartupReaderServices {
  platform::Registry& registry;
  platform::FileSystem& files;
  platform::Shortcuts& shortcuts;
  platform::ScheduledTasks& tasks;
  // Tells the program a command line, a service or a class starts, as the protection does.
  const protection::EntryProtection& entries;
};

// An entry as the reader hands it on: what starts, and its name and location as the Report
// shows them. For a file in a Startup folder, `file` is its path.
struct FoundEntry {
  StartupEntry entry;
  std::string name;
  std::string location;
  platform::Path file{};
};

// Reads the places a program starts from, in this order: the Run and RunOnce values of the
// current user and of the local machine (and its 32-bit view on 64-bit Windows), the user's and
// the common Startup folders, the services, the scheduled tasks (one entry per program a task
// starts) and the browser helpers and toolbars. Keys are opened for reading, never through a
// link; a value that is no text, an entry that names no program (or one too long to be a
// command) is handed on with an empty program, which no signature is asked about.
class StartupReader {
 public:
  explicit StartupReader(StartupReaderServices services) : services_(services) {}

  // Hands each entry to visit until visit returns false.
  void Read(const std::function<bool(const FoundEntry&)>& visit);

 private:
  bool RunValues(platform::RegistryRoot root, const std::string& path,
                 const std::function<bool(const FoundEntry&)>& visit);
  bool StartupFolder(platform::KnownFolder folder,
                     const std::function<bool(const FoundEntry&)>& visit);
  using ProgramOfKey = std::function<std::string(const std::string& path, const std::string& name)>;
  bool Services(const std::function<bool(const FoundEntry&)>& visit);
  bool SubkeyEntries(const std::string& path, StartupKind kind, const char* location,
                     const ProgramOfKey& programOf,
                     const std::function<bool(const FoundEntry&)>& visit);
  bool Tasks(const std::function<bool(const FoundEntry&)>& visit);
  bool BrowserHelpers(const std::string& path, const std::function<bool(const FoundEntry&)>& visit);
  bool Toolbars(const std::string& path, const std::function<bool(const FoundEntry&)>& visit);
  // The program of a command; empty for one longer than any command line can be.
  std::string ProgramOf(const std::string& command) const;

  StartupReaderServices services_;
};

}  // namespace nexolant
