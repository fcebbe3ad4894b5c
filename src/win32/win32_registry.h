#pragma once

#include "platform/registry.h"

namespace nexolant::win32 {

// The registry through advapi32's ANSI functions. Keys open in the process's own view: the
// 64-bit build sees the 64-bit registry, where 32-bit programs' keys show up under
// Wow6432Node like any other subkey, so a walk of the tree covers both.
class Win32Registry : public platform::Registry {
 public:
  platform::OpenedKey OpenKey(platform::KeyBase base, const std::string& path,
                              platform::RegistryAccess access) override;
  platform::OpenedKey CreateKey(platform::KeyBase base, const std::string& path,
                                platform::RegistryAccess access) override;
  StringList SubkeyNames(const platform::RegistryKey& key) override;
  platform::Outcome DeleteKey(platform::KeyBase base, const std::string& path) override;
  bool ValueExists(const platform::RegistryKey& key, const std::string& name) override;
  platform::RegistryValue ReadValue(const platform::RegistryKey& key,
                                    const std::string& name) override;
  bool WriteString(const platform::RegistryKey& key, const std::string& name,
                   const std::string& text) override;
  bool DeleteValue(const platform::RegistryKey& key, const std::string& name) override;
};

}  // namespace nexolant::win32
