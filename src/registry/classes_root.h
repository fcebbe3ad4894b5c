#pragma once

#include <optional>

#include "platform/registry.h"
#include "registry/key_path.h"

namespace nexolant {

// HKEY_CLASSES_ROOT is a merged view of the user's classes (HKEY_CURRENT_USER\Software\Classes)
// over the machine's (HKEY_LOCAL_MACHINE\Software\Classes). Saving, deleting and restoring act
// on one of the real keys; the other copy, if any, keeps the key visible in the view.
struct [[nodiscard]] ClassesKeyResolution {
  std::optional<KeyLocation> user;     // the user's copy, when it exists
  std::optional<KeyLocation> machine;  // the machine's copy, when it exists

  // The real key the view shows: the user's copy when there is one, else the machine's.
  std::optional<KeyLocation> Shown() const { return user ? user : machine; }
  bool BothExist() const { return user && machine; }
};

// The real keys behind a path of HKEY_CLASSES_ROOT. A key that exists but cannot be read
// counts as existing; the path's last key is not followed if it is a link. A path with an
// empty name resolves to nothing.
ClassesKeyResolution ResolveClassesKey(platform::Registry& registry,
                                       const platform::WideString& path);

}  // namespace nexolant
