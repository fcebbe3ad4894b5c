#pragma once

#include "platform/registry.h"

namespace nexolant::win32 {

// The registry through advapi32: the ANSI functions for the ANSI operations, the wide ones for
// the wide operations, and ntdll's NtDeleteKey, bound at run time, for deleting an opened key
// (a link itself). Keys open in the process's own view: the
// 64-bit build sees the 64-bit registry, where 32-bit programs' keys show up under
// Wow6432Node like any other subkey, so a walk of the tree covers both.
class Win32Registry : public platform::Registry {
 public:
  using platform::Registry::OpenKey;
  platform::OpenedKey OpenKey(platform::KeyBase base, const std::string& path,
                              platform::RegistryAccess access,
                              platform::LinkHandling links) override;
  platform::OpenedKey CreateKey(platform::KeyBase base, const std::string& path,
                                platform::RegistryAccess access) override;
  platform::Outcome DeleteKey(platform::KeyBase base, const std::string& path) override;
  bool ValueExists(const platform::RegistryKey& key, const std::string& name) override;
  platform::RegistryValue ReadValue(const platform::RegistryKey& key,
                                    const std::string& name) override;
  platform::WideString WideSpelling(const std::string& ansi) override;
  // Without look-alikes, so that a name the code page cannot hold never reads as another
  // key's name.
  std::string AnsiSpelling(const platform::WideString& wide) override;
  platform::OpenedKey OpenKeyWide(platform::KeyBase base, const platform::WideString& path,
                                  platform::RegistryAccess access,
                                  platform::LinkHandling links) override;
  platform::OpenedKey CreateKeyWide(platform::KeyBase base, const platform::WideString& path,
                                    platform::RegistryAccess access) override;
  platform::NameListResult SubkeyNamesWide(const platform::RegistryKey& key) override;
  platform::NameListResult ValueNamesWide(const platform::RegistryKey& key) override;
  platform::ValueReadResult ReadValueWide(const platform::RegistryKey& key,
                                          const platform::WideString& name) override;
  platform::Outcome WriteValueWide(const platform::RegistryKey& key,
                                   const platform::WideString& name, std::uint32_t type,
                                   const std::string& bytes) override;
  platform::Outcome DeleteValueWide(const platform::RegistryKey& key,
                                    const platform::WideString& name) override;
  platform::Outcome DeleteOpenedKey(const platform::RegistryKey& key) override;
};

}  // namespace nexolant::win32
