#include "registry/key_tree.h"

#include "registry/key_path.h"

namespace nexolant {

namespace {

bool HasValidNamesBelow(const KeyTree& tree, std::size_t depth) {
  if (!IsKeyName(tree.name) || depth > kTreeDepthLimit) {
    return false;
  }
  for (const TreeValue& value : tree.values) {
    if (value.name.size() > kValueNameLimit ||
        value.name.find(u'\0') != platform::WideString::npos) {
      return false;
    }
  }
  for (const KeyTree& subkey : tree.subkeys) {
    if (!HasValidNamesBelow(subkey, depth + 1)) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool HasValidNames(const KeyTree& tree) {
  return HasValidNamesBelow(tree, 1);
}

}  // namespace nexolant
