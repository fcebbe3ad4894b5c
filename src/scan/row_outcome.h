#pragma once

#include <cstdint>
#include <string>

namespace nexolant {

// What a repair did with one row.
struct RowOutcome {
  enum class Kind {
    kUnticked,     // left, as the user unticked it
    kIgnored,      // left, as the user keeps it
    kTerminated,   // the process was ended
    kQuarantined,  // saved in the quarantine as `entry`, then removed
    kDeleted,      // removed without a save
    kNotRemoved,   // still there; `error` is the system's reason when it gave one
    kGone,         // no longer there when the repair came to it
    kProtected,    // left, as it is now Windows' own or the program's
  };
  Kind kind = Kind::kUnticked;
  std::string entry{};  // the name of its file in the Quarantine folder
  std::uint32_t error = 0;
};

}  // namespace nexolant
