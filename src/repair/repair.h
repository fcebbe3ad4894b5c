#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ignore/ignored_objects.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/folder_lock.h"
#include "platform/locale.h"
#include "platform/message_pump.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/startup_services.h"
#include "platform/string_list.h"
#include "protection/protection_policy.h"
#include "quarantine/quarantine_store.h"
#include "scan/finding.h"
#include "scan/row_outcome.h"
#include "settings/usage_statistics.h"

namespace nexolant {

struct RepairServices {
  platform::FileSystem& files;
  platform::Registry& registry;
  platform::ProcessApi& processes;
  platform::ScheduledTasks& tasks;
  platform::ServiceControl& serviceControl;
  platform::Clock& clock;
  const platform::Locale& locale;
  // Asked again before each action: what it protects is never terminated, moved or deleted.
  const protection::ProtectionPolicy& protection;
  // What the user keeps is never terminated, moved or deleted either.
  const IgnoredObjects& ignored;
  // Keeps the window answering while terminated processes end.
  platform::MessagePump& pump;
  // Held for the whole repair, which another process of the program must not meet halfway.
  platform::FolderLock& folderLock;
};

// What a repair left on the system.
struct RepairOutcome {
  int notRemoved = 0;
  bool accessDenied = false;       // the system refused at least one of them to this user
  std::vector<RowOutcome> rows{};  // what became of each finding, index for index
};

// The found file or folder as the scan spelled it, exactly where it could not spell it in ANSI.
platform::Path FilePathOf(const Finding& finding);

// Whether the finding is a file: a file row, or a startup entry that is a file of a Startup
// folder.
bool IsFileFinding(const Finding& finding);

// The kind of object a Report location names: "Memory" is a process; a hive name alone or
// followed by "\" is a registry key; anything else is the folder of a file.
RowKind KindOfLocation(std::string_view location);

// One repair over the ticked rows of what a scan found: the processes are terminated first,
// each by its id, and their end awaited for a while, so that their executables can be moved;
// then, in the order found, registry keys, then startup entries, then files are quarantined
// (or deleted; a key, value or task is saved, then deleted). Only what was really removed is
// counted; an object already gone, an unticked row and an object the user keeps count neither way.
class Repair {
 public:
  Repair(RepairServices services, UsageStatistics& statistics, QuarantineStore& quarantine);

  // Quarantining runs within one intake session of the store.
  RepairOutcome Run(const std::vector<Finding>& findings, bool quarantine);

 private:
  void TerminateProcesses(const std::vector<Finding>& findings, const std::vector<bool>& acting);
  // Waits, about 2 s at most, until none of these processes is listed; the window answers
  // meanwhile.
  void AwaitEnd(const std::vector<const Finding*>& processes);
  void PumpFor(std::uint32_t milliseconds);
  // Whether a process of that id still runs an executable of the finding's name.
  bool StillRunning(const Finding& process);
  bool Kept(const Finding& finding);
  // Whether a found file may be acted on: its name usable, not protected, and its folder still
  // there.
  bool Removable(const Finding& finding);
  void Quarantine(const std::vector<IntakeRequest>& files,
                  const std::vector<const Finding*>& found);
  void Delete(const Finding& finding);
  // A file that was not removed: a failure unless it is gone all the same.
  void LeftInPlace(const Finding& finding, const platform::Path& path, std::uint32_t error);
  void RepairKey(const Finding& finding, bool quarantine);
  void RepairEntry(const Finding& finding, bool quarantine);
  void Failed(const Finding& finding, std::uint32_t error);
  RowOutcome& OutcomeOf(const Finding& finding);
  void Set(const Finding& finding, RowOutcome::Kind kind, std::string entry = {});

  RepairServices services_;
  UsageStatistics& statistics_;
  QuarantineStore& quarantine_;
  RepairOutcome outcome_;
  const Finding* first_ = nullptr;  // the findings of the running repair, for OutcomeOf
};

}  // namespace nexolant
