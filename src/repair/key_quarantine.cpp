#include "repair/key_quarantine.h"

#include "quarantine/protected_subkeys.h"
#include "registry/key_path.h"
#include "registry/key_tree_read.h"
#include "registry/real_key.h"
#include "registry/registration_file.h"
#include "registry/tree_delete.h"

namespace nexolant {

using platform::WideString;

namespace {

constexpr KeyQuarantineResult kGone{.removed = true};

KeyQuarantineResult Stayed(std::uint32_t error) {
  return {.error = error};
}

WideString ParentPath(const WideString& path) {
  const std::size_t slash = path.rfind(u'\\');
  return slash == WideString::npos ? WideString() : path.substr(0, slash);
}

}  // namespace

KeyQuarantineResult QuarantineKey(platform::Registry& registry,
                                  const protection::ProtectionPolicy& protection,
                                  QuarantineStore& store, platform::RegistryRoot root,
                                  const std::string& path, const std::string& description,
                                  SaveForm form, const std::function<void()>& beforeDelete) {
  const RealKey real = FindRealKey(registry, root, path);
  if (real.status != RealKey::Status::kFound) {
    return real.status == RealKey::Status::kMissing ? kGone : Stayed(0);
  }
  const KeyLocation& key = real.location;
  // A key this user may not delete is not saved: its save would only be a second copy.
  {
    const platform::OpenedKey writable =
        registry.OpenKeyWide(key.root, key.path, platform::RegistryAccess::kFull,
                             platform::LinkHandling::kOpenLinkItself);
    if (!writable.key) {
      return IsMissingKey(writable.error) ? kGone : Stayed(writable.error);
    }
  }
  TreeReadResult read = ReadKeyTree(registry, key.root, key.path);
  if (read.status != TreeReadResult::Status::kRead) {
    return read.status == TreeReadResult::Status::kMissing ? kGone : Stayed(read.error);
  }
  if (HoldsProtectedKey(protection, real.fullPath, read.tree)) {
    return Stayed(0);
  }
  const RegistrationWriteResult saved =
      WriteRegistrationFile({key.root, ParentPath(key.path), std::move(read.tree)});
  const std::optional<std::string> save =
      saved.ok() ? store.TakeInSave({saved.bytes, real.fullPath, description, form}) : std::nullopt;
  if (!save) {
    return Stayed(0);
  }
  if (beforeDelete) {
    beforeDelete();
  }
  const TreeDeleteResult deleted = DeleteKeyTree(registry, key.root, key.path);
  if (!deleted.Gone()) {
    return {.error = deleted.left.empty() ? 0 : deleted.left.front().error, .save = *save};
  }
  return {.quarantined = true, .removed = !KeyStillThere(registry, root, path), .save = *save};
}

}  // namespace nexolant
