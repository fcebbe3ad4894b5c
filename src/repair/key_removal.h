#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/registry.h"
#include "protection/protection_policy.h"

namespace nexolant {

// What became of a found key that was to be deleted without a save.
struct [[nodiscard]] KeyRemovalResult {
  bool deleted = false;     // this deletion took it away
  bool removed = false;     // no longer there where the Report showed it (or already gone)
  std::uint32_t error = 0;  // the system's reason when it stayed, if it gave one
};

// Deletes the key at the ANSI path below the root with everything in it, never following a
// link: a link inside the tree goes as itself and its target stays. Below the classes root the
// real key the view shows is deleted; the view may still show the other real copy, and then
// the key was not removed. A key whose tree cannot be read, or holds a key the policy keeps,
// stays.
// beforeDelete, when given, runs just before the key is deleted, as for QuarantineKey.
KeyRemovalResult DeleteFoundKey(platform::Registry& registry,
                                const protection::ProtectionPolicy& protection,
                                platform::RegistryRoot root, const std::string& path,
                                const std::function<void()>& beforeDelete = {});

}  // namespace nexolant
