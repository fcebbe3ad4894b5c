#include "registry/classes_root.h"

namespace nexolant {

using platform::RegistryRoot;
using platform::WideString;

namespace {

std::optional<KeyLocation> Existing(platform::Registry& registry, RegistryRoot root,
                                    const WideString& path) {
  const WideString realPath = JoinKeyPath(u"Software\\Classes", path);
  const platform::OpenedKey opened = registry.OpenKeyWide(
      root, realPath, platform::RegistryAccess::kRead, platform::LinkHandling::kOpenLinkItself);
  if (!opened.key && IsMissingKey(opened.error)) {
    return std::nullopt;
  }
  return KeyLocation{root, realPath};
}

}  // namespace

ClassesKeyResolution ResolveClassesKey(platform::Registry& registry, const WideString& path) {
  if (!SplitKeyPath(path)) {
    return {};
  }
  return {Existing(registry, RegistryRoot::kCurrentUser, path),
          Existing(registry, RegistryRoot::kLocalMachine, path)};
}

}  // namespace nexolant
