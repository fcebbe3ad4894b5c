#pragma once

#include <cstdint>
#include <vector>

#include "platform/registry.h"
#include "registry/key_tree.h"

namespace nexolant {

// Whether the key is a registry link: opened with LinkHandling::kOpenLinkItself, a link holds
// the value "SymbolicLinkValue" of type REG_LINK, which names its target.
bool IsRegistryLink(platform::Registry& registry, const platform::RegistryKey& key);

struct [[nodiscard]] TreeReadResult {
  enum class Status {
    kRead,        // `tree` holds the key and everything below it
    kMissing,     // there is no such key
    kHoldsLinks,  // links, listed in `links`, lie in the tree: it cannot be saved exactly
    kFailed,      // the key at `failedPath` or one of its values could not be read
    kRefused,     // an empty path or one with an empty name
  };
  Status status = Status::kRefused;
  KeyTree tree;
  std::vector<platform::WideString> links;  // paths from the base; the key's own path if it is one
  platform::WideString failedPath;
  std::uint32_t error = 0;
};

// Reads a key with every value of every type and every key below it, never following a link:
// each key is opened with LinkHandling::kOpenLinkItself one name at a time. Links on the path
// leading to the key are followed, as the system does.
TreeReadResult ReadKeyTree(platform::Registry& registry, platform::KeyBase base,
                           const platform::WideString& path);

}  // namespace nexolant
