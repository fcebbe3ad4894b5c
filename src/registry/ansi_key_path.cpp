#include "registry/ansi_key_path.h"

#include <algorithm>
#include <cstddef>

#include "platform/string_list.h"
#include "registry/key_path.h"

namespace nexolant {

using platform::WideString;
using Status = WidenedKeyPath::Status;

namespace {

// ASCII spells a name the same in both forms, except for the "?" that stands for any character
// the code page cannot show.
bool SameInBothForms(const std::string& name) {
  return std::all_of(name.begin(), name.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80 && c != '?'; });
}

// Finds the wide name of the parent's only subkey listed under that ANSI name.
Status WideNameBelow(platform::Registry& registry, platform::RegistryRoot root,
                     const WideString& parent, const std::string& name, WideString& wideName) {
  const platform::OpenedKey key = registry.OpenKeyWide(
      root, parent, platform::RegistryAccess::kRead, platform::LinkHandling::kFollow);
  if (!key.key) {
    return IsMissingKey(key.error) ? Status::kMissing : Status::kAmbiguous;
  }
  const StringList narrow = registry.SubkeyNames(*key.key);
  const platform::NameListResult wide = registry.SubkeyNamesWide(*key.key);
  if (wide.error != 0 || wide.names.size() != narrow.size()) {
    return Status::kAmbiguous;
  }
  const auto found = std::find(narrow.begin(), narrow.end(), name);
  if (found == narrow.end()) {
    return Status::kMissing;
  }
  if (std::find(found + 1, narrow.end(), name) != narrow.end()) {
    return Status::kAmbiguous;
  }
  wideName = wide.names[static_cast<std::size_t>(found - narrow.begin())];
  return Status::kWidened;
}

}  // namespace

WidenedKeyPath WidenKeyPath(platform::Registry& registry, platform::RegistryRoot root,
                            const std::string& path) {
  if (path.empty() || path.front() == '\\' || path.back() == '\\' ||
      path.find("\\\\") != std::string::npos) {
    return {};
  }
  WideString wide;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find('\\', start), path.size());
    const std::string name = path.substr(start, end - start);
    WideString wideName(name.begin(), name.end());
    if (!SameInBothForms(name)) {
      const Status status = WideNameBelow(registry, root, wide, name, wideName);
      if (status != Status::kWidened) {
        return {status, {}};
      }
    }
    wide = JoinKeyPath(wide, wideName);
    start = end + 1;
  }
  return {Status::kWidened, std::move(wide)};
}

}  // namespace nexolant
