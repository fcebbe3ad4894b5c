#pragma once

#include <string>

#include "platform/registry.h"
#include "protection/protection_policy.h"
#include "registry/key_tree.h"

namespace nexolant {

// Appends "\" and a key's name in the form the protection policy compares, whose keys are all
// ASCII: any other character stands as "?", which no protected name holds.
void AppendAsciiKeyName(std::string& path, const platform::WideString& name);

// Whether the tree of the key at path (path itself excluded) holds a key the policy keeps: such
// a key is never deleted or restored whole.
bool HoldsProtectedKey(const protection::ProtectionPolicy& protection, const std::string& path,
                       const KeyTree& tree);

}  // namespace nexolant
