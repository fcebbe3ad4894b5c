#pragma once

#include <windows.h>

#include <memory>

#include "platform/registry.h"
#include "win32/unique_handle.h"

namespace nexolant::win32 {

// An open key. Opening the empty path on a root gives the root's own predefined handle,
// which is borrowed, not closed.
class Win32Key : public platform::RegistryKey {
 public:
  Win32Key(HKEY key, bool owned) : key_(key) {
    if (owned) {
      owned_.reset(key);
    }
  }

  HKEY Get() const { return key_; }
  // False for a predefined root's own handle.
  bool Owned() const { return static_cast<bool>(owned_); }
  static const Win32Key& Cast(const platform::RegistryKey& key) {
    return static_cast<const Win32Key&>(key);
  }
  static HKEY Of(const platform::RegistryKey& key) { return Cast(key).Get(); }

 private:
  HKEY key_;
  UniqueRegistryKey owned_;
};

inline HKEY RootHandle(platform::RegistryRoot root) {
  switch (root) {
    case platform::RegistryRoot::kClassesRoot:
      return HKEY_CLASSES_ROOT;
    case platform::RegistryRoot::kCurrentUser:
      return HKEY_CURRENT_USER;
    case platform::RegistryRoot::kLocalMachine:
      return HKEY_LOCAL_MACHINE;
    case platform::RegistryRoot::kUsers:
      return HKEY_USERS;
  }
  return HKEY_CURRENT_USER;
}

inline HKEY BaseHandle(platform::KeyBase base) {
  return base.IsRoot() ? RootHandle(base.Root()) : Win32Key::Of(base.Key());
}

// Never KEY_WOW64_32KEY: the 64-bit build keeps the 64-bit view, which holds the 32-bit
// programs' keys under Wow6432Node, so a walk sees both.
inline REGSAM Rights(platform::RegistryAccess access) {
  return access == platform::RegistryAccess::kFull
             ? KEY_ALL_ACCESS
             : KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | STANDARD_RIGHTS_READ;
}

inline platform::RegistryKeyPtr MakeKey(HKEY opened, HKEY base) {
  return std::make_unique<Win32Key>(opened, opened != base);
}

}  // namespace nexolant::win32
