#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/string_list.h"
#include "quarantine/quarantine_intake.h"
#include "settings/usage_statistics.h"
#include "ui/list_view.h"

namespace nexolant {

struct RepairServices {
  platform::FileSystem& files;
  platform::Registry& registry;
  platform::ProcessApi& processes;
  platform::Clock& clock;
  const platform::Locale& locale;
  std::string programFolder;  // with a trailing backslash
};

// What a repair left on the system.
struct RepairOutcome {
  int notRemoved = 0;
  bool accessDenied = false;  // the system refused at least one of them to this user
};

// The kinds of Report row, told apart by their location.
enum class RepairKind { kProcess, kFile, kRegistryKey };

// "Memory" is a process; a hive name alone or followed by "\" is a registry key; anything else
// is the folder of a file.
RepairKind KindOfLocation(std::string_view location);

// One repair over the rows of the Report list: the processes are terminated first, and their
// end awaited for a while, so that their executables can be moved; then, in row order, files
// are quarantined (or deleted) and registry keys deleted. Only what was really removed is
// counted; an object already gone counts neither way.
class Repair {
 public:
  Repair(RepairServices services, UsageStatistics& statistics, QuarantineIntake& intake);

  RepairOutcome Run(const ui::ListView& report, bool quarantine);

 private:
  void TerminateProcesses(const ui::ListView& report);
  // Waits, about 2 s at most, until no process of these names is listed.
  void AwaitEnd(const StringList& names);
  bool AnyRunning(const StringList& names);
  void RepairFile(const ui::ListItem& row, bool quarantine);
  void RepairKey(const ui::ListItem& row);
  bool IsOwnFile(const std::string& folder, const std::string& name) const;
  void Failed(std::uint32_t errorCode);

  RepairServices services_;
  UsageStatistics& statistics_;
  QuarantineIntake& intake_;
  RepairOutcome outcome_;
};

}  // namespace nexolant
