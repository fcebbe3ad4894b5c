#include "registry/key_tree_restore.h"

#include "platform/errors.h"
#include "registry/key_path.h"

namespace nexolant {

using platform::RegistryAccess;
using platform::WideString;

namespace {

// Writes the values and re-creates the subkeys below a key this restore created; the system's
// error code of the first failure, 0 when everything was written.
std::uint32_t WriteBelow(platform::Registry& registry, const platform::RegistryKey& key,
                         const KeyTree& tree) {
  for (const TreeValue& value : tree.values) {
    const platform::Outcome written =
        registry.WriteValueWide(key, value.name, value.type, value.bytes);
    if (!written.ok) {
      return written.error;
    }
  }
  for (const KeyTree& subkey : tree.subkeys) {
    const platform::OpenedKey child =
        registry.CreateKeyWide(key, subkey.name, RegistryAccess::kFull);
    if (!child.key) {
      return child.error;
    }
    if (!child.created) {
      return platform::kErrorAlreadyExists;
    }
    if (const std::uint32_t error = WriteBelow(registry, *child.key, subkey); error != 0) {
      return error;
    }
  }
  return 0;
}

TreeRestoreResult Result(TreeRestoreResult::Status status, std::uint32_t error = 0) {
  TreeRestoreResult result;
  result.status = status;
  result.error = error;
  return result;
}

}  // namespace

TreeRestoreResult RestoreKeyTree(platform::Registry& registry, platform::KeyBase base,
                                 const WideString& parentPath, const KeyTree& tree) {
  using Status = TreeRestoreResult::Status;
  if (!HasValidNames(tree) || (!parentPath.empty() && !SplitKeyPath(parentPath))) {
    return Result(Status::kRefused);
  }
  const platform::OpenedKey parent = registry.OpenKeyWide(base, parentPath, RegistryAccess::kFull,
                                                          platform::LinkHandling::kFollow);
  if (!parent.key) {
    return Result(Status::kParentUnavailable, parent.error);
  }
  platform::OpenedKey top = registry.CreateKeyWide(*parent.key, tree.name, RegistryAccess::kFull);
  if (!top.key) {
    return Result(Status::kParentUnavailable, top.error);
  }
  if (!top.created) {
    return Result(Status::kExists, platform::kErrorAlreadyExists);
  }
  const std::uint32_t error = WriteBelow(registry, *top.key, tree);
  if (error == 0) {
    return Result(Status::kRestored);
  }
  return {Status::kFailed, error, DeleteOpenedKeyTree(registry, *top.key)};
}

}  // namespace nexolant
