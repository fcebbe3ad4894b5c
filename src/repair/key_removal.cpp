#include "repair/key_removal.h"

#include "quarantine/protected_subkeys.h"
#include "registry/key_tree_read.h"
#include "registry/real_key.h"
#include "registry/tree_delete.h"

namespace nexolant {

KeyRemovalResult DeleteFoundKey(platform::Registry& registry,
                                const protection::ProtectionPolicy& protection,
                                platform::RegistryRoot root, const std::string& path,
                                const std::function<void()>& beforeDelete) {
  const RealKey real = FindRealKey(registry, root, path);
  if (real.status != RealKey::Status::kFound) {
    return {.removed = real.status == RealKey::Status::kMissing};
  }
  // Links in the tree go as themselves, so what lies behind them is not asked about.
  const TreeReadResult read = ReadKeyTree(registry, real.location.root, real.location.path);
  if (read.status != TreeReadResult::Status::kRead &&
      read.status != TreeReadResult::Status::kHoldsLinks) {
    return {.removed = read.status == TreeReadResult::Status::kMissing, .error = read.error};
  }
  if (HoldsProtectedKey(protection, real.fullPath, read.tree)) {
    return {};
  }
  if (beforeDelete) {
    beforeDelete();
  }
  const TreeDeleteResult deleted = DeleteKeyTree(registry, real.location.root, real.location.path);
  if (!deleted.Gone()) {
    return {.error = deleted.left.empty() ? 0 : deleted.left.front().error};
  }
  // What beforeDelete took away was deleted by this removal too.
  return {.deleted = deleted.status == TreeDeleteResult::Status::kDeleted || beforeDelete,
          .removed = !KeyStillThere(registry, root, path)};
}

}  // namespace nexolant
