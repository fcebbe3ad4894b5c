#pragma once

#include <string>

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

// Whether a key of that ANSI path is visible below the root; for the classes root, in either
// real copy. A key that exists but cannot be opened counts as visible.
bool KeyStillThere(platform::Registry& registry, platform::RegistryRoot root,
                   const std::string& path);

}  // namespace nexolant
