#pragma once

#include <cstdint>
#include <vector>

#include "platform/registry.h"

namespace nexolant {

// A key that could not be deleted: its path from where the deletion started, and the system's
// error code.
struct KeyLeft {
  platform::WideString path;
  std::uint32_t error = 0;
  bool operator==(const KeyLeft&) const = default;
};

struct [[nodiscard]] TreeDeleteResult {
  enum class Status {
    kDeleted,     // the key and everything below it are gone
    kMissing,     // there was no such key
    kNotDeleted,  // some keys stayed: those in `left` and, with them, their ancestors
    kRefused,     // an empty path or one with an empty name, which would name the base itself
  };
  Status status = Status::kRefused;
  std::vector<KeyLeft> left;
  bool Gone() const { return status == Status::kDeleted || status == Status::kMissing; }
};

// Deletes a key and everything below it without ever following a link: every key is opened
// with LinkHandling::kOpenLinkItself one name at a time and deleted through its own handle, so
// a link inside the tree (or the key itself, if it is one) goes as itself and its target stays.
// Links on the path leading to the key are followed, as the system does.
TreeDeleteResult DeleteKeyTree(platform::Registry& registry, platform::KeyBase base,
                               const platform::WideString& path);

// The same for a key already open with full access, whose paths in `left` start at "".
TreeDeleteResult DeleteOpenedKeyTree(platform::Registry& registry,
                                     const platform::RegistryKey& key);

}  // namespace nexolant
