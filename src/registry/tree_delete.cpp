#include "registry/tree_delete.h"

#include "platform/errors.h"
#include "registry/key_path.h"

namespace nexolant {

using platform::LinkHandling;
using platform::RegistryAccess;
using platform::WideString;

namespace {

// Deletes what lies below the key, last subkey first, then the key; false when something
// stayed. A key whose subkeys stayed is not tried: its deletion would only fail.
bool DeleteBelowAndItself(platform::Registry& registry, const platform::RegistryKey& key,
                          const WideString& path, std::vector<KeyLeft>& left) {
  const platform::NameListResult names = registry.SubkeyNamesWide(key);
  if (names.error != 0) {
    left.push_back({path, names.error});
    return false;
  }
  bool allGone = true;
  for (auto name = names.names.rbegin(); name != names.names.rend(); ++name) {
    const WideString childPath = JoinKeyPath(path, *name);
    const platform::OpenedKey child =
        registry.OpenKeyWide(key, *name, RegistryAccess::kFull, LinkHandling::kOpenLinkItself);
    if (!child.key) {
      if (!IsMissingKey(child.error)) {
        left.push_back({childPath, child.error});
        allGone = false;
      }
      continue;
    }
    allGone = DeleteBelowAndItself(registry, *child.key, childPath, left) && allGone;
  }
  if (!allGone) {
    return false;
  }
  const platform::Outcome deleted = registry.DeleteOpenedKey(key);
  if (!deleted.ok && deleted.error != platform::kErrorKeyDeleted) {
    left.push_back({path, deleted.error});
    return false;
  }
  return true;
}

TreeDeleteResult Result(bool allGone, std::vector<KeyLeft> left) {
  return {allGone ? TreeDeleteResult::Status::kDeleted : TreeDeleteResult::Status::kNotDeleted,
          std::move(left)};
}

}  // namespace

TreeDeleteResult DeleteKeyTree(platform::Registry& registry, platform::KeyBase base,
                               const WideString& path) {
  if (!SplitKeyPath(path)) {
    return {TreeDeleteResult::Status::kRefused, {}};
  }
  const platform::OpenedKey top =
      registry.OpenKeyWide(base, path, RegistryAccess::kFull, LinkHandling::kOpenLinkItself);
  if (!top.key) {
    if (IsMissingKey(top.error)) {
      return {TreeDeleteResult::Status::kMissing, {}};
    }
    return {TreeDeleteResult::Status::kNotDeleted, {{path, top.error}}};
  }
  std::vector<KeyLeft> left;
  const bool allGone = DeleteBelowAndItself(registry, *top.key, path, left);
  return Result(allGone, std::move(left));
}

TreeDeleteResult DeleteOpenedKeyTree(platform::Registry& registry,
                                     const platform::RegistryKey& key) {
  std::vector<KeyLeft> left;
  const bool allGone = DeleteBelowAndItself(registry, key, {}, left);
  return Result(allGone, std::move(left));
}

}  // namespace nexolant
