#include "repair/key_removal.h"

#include "registry/real_key.h"
#include "registry/tree_delete.h"

namespace nexolant {

KeyRemovalResult DeleteFoundKey(platform::Registry& registry, platform::RegistryRoot root,
                                const std::string& path) {
  const RealKey real = FindRealKey(registry, root, path);
  if (real.status != RealKey::Status::kFound) {
    return {.removed = real.status == RealKey::Status::kMissing};
  }
  const TreeDeleteResult deleted = DeleteKeyTree(registry, real.location.root, real.location.path);
  if (!deleted.Gone()) {
    return {.error = deleted.left.empty() ? 0 : deleted.left.front().error};
  }
  return {.deleted = deleted.status == TreeDeleteResult::Status::kDeleted,
          .removed = !KeyStillThere(registry, root, path)};
}

}  // namespace nexolant
