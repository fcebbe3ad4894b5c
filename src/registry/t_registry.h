#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/registry.h"
#include "platform/string_list.h"

namespace nexolant {

// A value could not be read or written; the text names the value.
class RegistryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A registry object: a root, an access mask and at most one open key. A path that starts
// with "\" is taken from the root; any other path from the open key if there is one, else
// from the root. OpenKey follows a link in the path's last key unless told to open the link
// itself.
class TRegistry {
 public:
  explicit TRegistry(platform::Registry& registry,
                     platform::RegistryAccess access = platform::RegistryAccess::kFull,
                     platform::LinkHandling links = platform::LinkHandling::kFollow)
      : registry_(&registry), access_(access), links_(links) {}
  virtual ~TRegistry() = default;
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  platform::RegistryRoot RootKey() const { return root_; }
  // A different root closes the open key.
  void SetRootKey(platform::RegistryRoot root);

  platform::RegistryAccess Access() const { return access_; }
  bool HasOpenKey() const { return currentKey_ != nullptr; }

  // Opens the key with the object's access, creating it when canCreate and the path is not
  // empty. On success it replaces the open key; on failure nothing changes.
  platform::Outcome OpenKey(std::string_view path, bool canCreate);
  void CloseKey() { currentKey_.reset(); }

  // Whether the key opens with read access; the open key stays as it is.
  bool KeyExists(std::string_view path) { return static_cast<bool>(ProbeKey(path)); }
  // Opens the key with read access and closes it again: whether it opened, or why not.
  platform::Outcome ProbeKey(std::string_view path);

  // Replaces the list's content with the open key's subkey names in the registry's order;
  // empty when no key is open.
  void GetKeyNames(StringList& names);

  // Opens the key at the exact path from the root, without creating it; on failure nothing
  // changes. It reaches keys whose names the ANSI code page cannot hold.
  platform::Outcome OpenKeyExact(const platform::WideString& path);
  // The open key's subkey names, exactly and as GetKeyNames gives them; empty when no key is
  // open.
  platform::SubkeyNameForms GetKeyNameForms();

  // Deletes the key and everything below it, subkeys first and the last subkey first; the
  // outcome of deleting the key itself. A path naming the root or the open key itself, or with
  // an empty component, deletes nothing.
  platform::Outcome DeleteKey(std::string_view path);

  bool ValueExists(const std::string& name);
  // Empty for a missing or empty value; throws RegistryError for a value that is not text or
  // cannot be read.
  std::string ReadString(const std::string& name);
  // Stores text as a REG_SZ value with its terminating zero; throws RegistryError when it
  // cannot.
  void WriteString(const std::string& name, const platform::WideString& text);
  // Fails when no key is open.
  platform::Outcome DeleteValue(const std::string& name);

 private:
  struct Location {
    platform::KeyBase base;
    std::string path;
  };
  Location Resolve(std::string_view path) const;
  // Makes an opened key the open one; a failure leaves the open key as it was.
  platform::Outcome Replace(platform::OpenedKey opened);
  platform::Outcome DeleteTree(platform::KeyBase base, const std::string& path);

  platform::Registry* registry_;
  platform::RegistryAccess access_;
  platform::LinkHandling links_;
  platform::RegistryRoot root_ = platform::RegistryRoot::kCurrentUser;
  platform::RegistryKeyPtr currentKey_;
};

// The registry object the registry scan makes for every key it visits: a TRegistry, which
// does all it needs.
using TRegIniFile = TRegistry;

// "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER" or "HKEY_LOCAL_MACHINE"; empty for other roots.
std::string HiveName(platform::RegistryRoot root);

// The root named exactly (case matters) "HKEY_CURRENT_USER" or "HKEY_LOCAL_MACHINE"; the
// classes root for any other text.
platform::RegistryRoot HiveRoot(std::string_view name);

}  // namespace nexolant
