#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/processes.h"

namespace nexolant {

// One running process: the executable name as the listing method reports it, or "[System]"
// with id -1 for a process whose executable cannot be read.
struct ProcessEntry {
  std::string name;
  std::int32_t processId = 0;

  bool operator==(const ProcessEntry&) const = default;
};

using ProcessList = std::vector<ProcessEntry>;

// Empties list and fills it with the running processes in the order the system reports them.
// NT 4 is listed through "PSAPI.dll" (full paths), every other system through a snapshot
// (executable names). False when the processes could not be listed; the list is then empty.
bool ListProcesses(platform::ProcessApi& api, ProcessList& list);

// Terminates every process whose executable base name equals name, compared after upper-casing
// a to z; a name with a folder never matches. The program's own process and the processes the
// system cannot run without (the protected process names) are never terminated. True when at least
// one process was terminated.
[[nodiscard]] bool TerminateProcessByName(platform::ProcessApi& api, std::string_view name);

// The full path of the image of the process with that id; none when it cannot be opened or read.
std::optional<std::string> ImagePathOfProcess(platform::ProcessApi& api, std::uint32_t processId);

// Terminates the process with that id while it still runs an executable of that base name and,
// when imagePath is not empty, that image (compared after upper-casing a to z): an id reused by
// another program since it was listed is left alone. The program's own process and protected
// names are never terminated. True when the process was terminated.
[[nodiscard]] bool TerminateProcessById(platform::ProcessApi& api, std::uint32_t processId,
                                        std::string_view name, std::string_view imagePath);

// TerminateProcessByName for several names in one walk over the processes: for each name, in
// order, whether at least one process was terminated. A name that repeats an earlier one (as
// names compare here) reports false: the earlier one already had every process of that name.
std::vector<bool> TerminateProcessesByName(platform::ProcessApi& api,
                                           std::span<const std::string> names);

}  // namespace nexolant
