#pragma once

#include <cstdint>

#include "platform/registry.h"
#include "registry/key_tree.h"
#include "registry/tree_delete.h"

namespace nexolant {

struct [[nodiscard]] TreeRestoreResult {
  enum class Status {
    kRestored,           // the tree is back, every value byte for byte
    kExists,             // a key of the tree's name is there now: nothing was changed
    kParentUnavailable,  // the parent key cannot be opened or written: nothing was changed
    kFailed,             // a key or value could not be written; `cleanup` says what stayed
    kRefused,            // a name in the tree no key or value can have, or a bad parent path
  };
  Status status = Status::kRefused;
  std::uint32_t error = 0;
  // kFailed: the removal of the partly re-created tree.
  TreeDeleteResult cleanup;
};

// Re-creates the tree as the subkey of its name below the parent path (empty: the base itself),
// never merging into a key that exists: the tree's top key must be created by this call. On a
// failure the part already re-created is deleted again.
TreeRestoreResult RestoreKeyTree(platform::Registry& registry, platform::KeyBase base,
                                 const platform::WideString& parentPath, const KeyTree& tree);

}  // namespace nexolant
