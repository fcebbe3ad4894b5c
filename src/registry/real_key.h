#pragma once

#include <string>
#include <string_view>

#include "platform/registry.h"
#include "registry/key_path.h"

namespace nexolant {

struct RealKey {
  enum class Status {
    kFound,       // `location` is the key, `fullPath` its path as the Report writes paths
    kMissing,     // the key is not there (any more)
    kUnresolved,  // the path cannot be spelled exactly, see WidenKeyPath
  };
  Status status = Status::kUnresolved;
  KeyLocation location;
  std::string fullPath;  // "HKEY_CURRENT_USER\Software\..."
};

// The key at an ANSI path below a root, as the registry spells it. Below the classes root it is
// the real key the merged view shows (the user's copy, else the machine's), whose path starts
// at HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE.
RealKey FindRealKey(platform::Registry& registry, platform::RegistryRoot root,
                    const std::string& path);

// The real path of the key that a Report row names by its location (a hive name and the path
// of the key holding it) and its name, as FindRealKey gives it; empty when the key is gone or
// cannot be spelled.
std::string RealPathOfKeyRow(platform::Registry& registry, std::string_view location,
                             std::string_view name);

// Whether a key of that ANSI path is visible below the root; for the classes root, in either
// real copy. A key that exists but cannot be opened counts as visible.
bool KeyStillThere(platform::Registry& registry, platform::RegistryRoot root,
                   const std::string& path);

}  // namespace nexolant
