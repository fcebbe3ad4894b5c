#pragma once

#include <string>

#include "platform/registry.h"
#include "protection/entry_protection.h"
#include "registry/registration_file.h"

namespace nexolant {

// Whether a saved service's key may come back: it is a service's own key, directly below the
// machine's Services key, and the program it names (its image; for svchost the library of its
// Parameters, else of itself) is told and is none of Windows'. The policy cannot judge a
// service's key by itself while it is gone, so a restore judges the save.
bool RestorableService(const SavedKey& saved, platform::Registry& registry,
                       const protection::EntryProtection& entries);

}  // namespace nexolant
