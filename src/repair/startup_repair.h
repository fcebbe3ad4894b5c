#pragma once

#include <cstdint>

#include "platform/registry.h"
#include "platform/startup_services.h"
#include "protection/protection_policy.h"
#include "quarantine/quarantine_store.h"
#include "scan/finding.h"

namespace nexolant {

struct StartupRepairServices {
  platform::Registry& registry;
  platform::ScheduledTasks& tasks;
  platform::ServiceControl& serviceControl;
  const protection::ProtectionPolicy& protection;
};

// What became of one startup entry.
struct [[nodiscard]] EntryRepairResult {
  bool quarantined = false;  // saved, then removed
  bool deleted = false;      // removed without a save
  bool stayed = false;       // still there: not removed
  bool kept = false;         // left as it is now Windows' own, or the program's
  std::uint32_t error = 0;   // the system's reason when it stayed, if it gave one
  std::string save{};        // the save's name in the Quarantine folder, once saved
};

// Removes the entry itself and nothing beside it: the one value (never its key), the service
// (stopped, then deleted through the service manager), the task, the helper's key. With
// quarantine the entry is saved first, and stays when it cannot be. Each is judged again as it
// is now: one that names a program of Windows, or lies where the policy protects, is left
// untouched and is no failure; one already gone is neither. A task the scheduler keeps a
// password for cannot be registered again as it was, so it stays. A file of a Startup folder is
// repaired as a file, not here. Throws platform::SystemError when the quarantine folder cannot
// be created.
EntryRepairResult RepairStartupEntry(const StartupRepairServices& services, QuarantineStore& store,
                                     const Finding& finding, bool quarantine);

}  // namespace nexolant
