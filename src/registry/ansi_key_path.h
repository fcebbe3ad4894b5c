#pragma once

#include <string>

#include "platform/registry.h"

namespace nexolant {

struct WidenedKeyPath {
  enum class Status {
    kWidened,    // `path` spells the key
    kMissing,    // a key on the path is not there
    kAmbiguous,  // a name stands for more than one key, or the path has an empty name
  };
  Status status = Status::kAmbiguous;
  platform::WideString path;
};

// The UTF-16 spelling of a key path given in the ANSI code page, as a scan lists it. ASCII
// names without "?" are the same in both forms; any other name is found among the subkeys its
// parent lists in both forms, in the one order the registry keeps. Characters the code page
// cannot show read as "?", so one ANSI name may stand for several keys: acting on it could
// reach the wrong key, so such a path is not widened.
WidenedKeyPath WidenKeyPath(platform::Registry& registry, platform::RegistryRoot root,
                            const std::string& path);

}  // namespace nexolant
