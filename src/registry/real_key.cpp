#include "registry/real_key.h"

#include "registry/ansi_key_path.h"
#include "registry/classes_root.h"
#include "registry/t_registry.h"

namespace nexolant {

using platform::RegistryRoot;

namespace {

constexpr const char* kClassesPath = "Software\\Classes\\";

RealKey Missing() {
  return {RealKey::Status::kMissing, {}, {}};
}

RealKey Found(KeyLocation location, const std::string& fullPath) {
  return {RealKey::Status::kFound, std::move(location), fullPath};
}

}  // namespace

RealKey FindRealKey(platform::Registry& registry, RegistryRoot root, const std::string& path) {
  const WidenedKeyPath widened = WidenKeyPath(registry, root, path);
  if (widened.status == WidenedKeyPath::Status::kMissing) {
    return Missing();
  }
  if (widened.status != WidenedKeyPath::Status::kWidened) {
    return {RealKey::Status::kUnresolved, {}, {}};
  }
  if (root != RegistryRoot::kClassesRoot) {
    const platform::OpenedKey key =
        registry.OpenKeyWide(root, widened.path, platform::RegistryAccess::kRead,
                             platform::LinkHandling::kOpenLinkItself);
    if (!key.key && IsMissingKey(key.error)) {
      return Missing();
    }
    return Found({root, widened.path}, HiveName(root) + "\\" + path);
  }
  const ClassesKeyResolution copies = ResolveClassesKey(registry, widened.path);
  if (!copies.Shown()) {
    return Missing();
  }
  return Found(*copies.Shown(), HiveName(copies.Shown()->root) + "\\" + kClassesPath + path);
}

std::string RealPathOfKeyRow(platform::Registry& registry, std::string_view location,
                             std::string_view name) {
  const std::size_t slash = location.find('\\');
  std::string path = slash == std::string_view::npos
                         ? std::string(name)
                         : std::string(location.substr(slash + 1)) + "\\" + std::string(name);
  const RealKey key = FindRealKey(registry, HiveRoot(location.substr(0, slash)), path);
  return key.status == RealKey::Status::kFound ? key.fullPath : std::string();
}

bool KeyStillThere(platform::Registry& registry, RegistryRoot root, const std::string& path) {
  return FindRealKey(registry, root, path).status != RealKey::Status::kMissing;
}

}  // namespace nexolant
