#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace nexolant {

// One value of a key exactly as stored: its name (empty for the default value), its type
// number and its bytes.
struct TreeValue {
  platform::WideString name;
  std::uint32_t type = platform::kRegNone;
  std::string bytes;
  bool operator==(const TreeValue&) const = default;
};

// A key with everything below it, in the order the registry listed it.
struct KeyTree {
  platform::WideString name;
  std::vector<TreeValue> values;
  std::vector<KeyTree> subkeys;
  bool operator==(const KeyTree&) const = default;
};

// Whether every name in the tree can exist in the registry: key names as IsKeyName says, value
// names of at most 16,383 characters without a zero, and no more than 512 levels.
bool HasValidNames(const KeyTree& tree);

}  // namespace nexolant
