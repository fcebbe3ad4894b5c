#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/errors.h"
#include "platform/string_list.h"

namespace nexolant::platform {

// The predefined roots the program opens keys under.
enum class RegistryRoot { kClassesRoot, kCurrentUser, kLocalMachine, kUsers };

// kFull is every right on the key; kRead is query values, list subkeys and the standard read
// rights.
enum class RegistryAccess { kRead, kFull };

// Value types with the registry's own numbers.
enum RegistryValueType : std::uint32_t {
  kRegNone = 0,
  kRegString = 1,
  kRegExpandString = 2,
  kRegBinary = 3,
  kRegDword = 4,
  kRegDwordBigEndian = 5,
  kRegLink = 6,
  kRegMultiString = 7,
  kRegQword = 11,
};

// An open key. Destroying it closes the key. Each Registry makes its own kind and accepts only
// keys it made.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

 protected:
  RegistryKey() = default;
};

using RegistryKeyPtr = std::unique_ptr<RegistryKey>;

// A key that was opened, or the system's error code when it could not be.
struct [[nodiscard]] OpenedKey {
  RegistryKeyPtr key;
  std::uint32_t error = 0;
  // CreateKey and CreateKeyWide: the path's last key did not exist before.
  bool created = false;

  explicit operator bool() const { return key != nullptr; }
  const RegistryKey& operator*() const { return *key; }
};

// Where a relative key path starts: a predefined root or an open key.
class KeyBase {
 public:
  KeyBase(RegistryRoot root) : root_(root) {}      // NOLINT(google-explicit-constructor)
  KeyBase(const RegistryKey& key) : key_(&key) {}  // NOLINT(google-explicit-constructor)

  bool IsRoot() const { return key_ == nullptr; }
  RegistryRoot Root() const { return root_; }
  const RegistryKey& Key() const { return *key_; }

 private:
  RegistryRoot root_ = RegistryRoot::kCurrentUser;
  const RegistryKey* key_ = nullptr;
};

// One value as read: its type and its raw bytes (strings in the ANSI code page, with the
// terminating zero they were stored with).
struct [[nodiscard]] RegistryValue {
  enum class Status { kFound, kMissing, kUnreadable };
  Status status = Status::kMissing;
  std::uint32_t type = kRegNone;
  std::string data;
};

// UTF-16 text as the registry keeps it: key and value names, paths, string data.
using WideString = std::u16string;

// Whether opening a path follows a link in its last key (as the system does by default) or
// opens the link key itself. Links earlier on the path are always followed.
enum class LinkHandling { kFollow, kOpenLinkItself };

// Key or value names in the registry's own order, or the error that ended the listing.
struct [[nodiscard]] NameListResult {
  std::vector<WideString> names;
  std::uint32_t error = 0;
};

// A key's subkey names from one listing, exactly and as SubkeyNames shows them, index for index.
struct [[nodiscard]] SubkeyNameForms {
  std::vector<WideString> exact;
  StringList ansi;
  std::uint32_t error = 0;
};

// A value as stored: its type and its bytes exactly, or the error (kErrorFileNotFound for a
// missing value).
struct [[nodiscard]] ValueReadResult {
  std::uint32_t type = kRegNone;
  std::string bytes;
  std::uint32_t error = 0;
};

// The raw registry operations. Paths are ANSI, "\"-separated and relative to their base; the
// empty path names the base itself. Names of keys and values compare case-insensitively.
class Registry {
 public:
  virtual ~Registry() = default;

  // Opens an existing key; fails when it is missing or the access is refused.
  virtual OpenedKey OpenKey(KeyBase base, const std::string& path, RegistryAccess access,
                            LinkHandling links) = 0;
  OpenedKey OpenKey(KeyBase base, const std::string& path, RegistryAccess access) {
    return OpenKey(base, path, access, LinkHandling::kFollow);
  }

  // Opens a key, creating it and every missing key on its path.
  virtual OpenedKey CreateKey(KeyBase base, const std::string& path, RegistryAccess access) = 0;

  // The names of the key's subkeys in the registry's own order, each character the ANSI code
  // page lacks as "?" (never a look-alike).
  StringList SubkeyNames(const RegistryKey& key) { return SubkeyNamesInBothForms(key).ansi; }

  // Deletes a key that has no subkeys; fails when it has some, is missing or may not be
  // deleted. The empty path is refused.
  virtual Outcome DeleteKey(KeyBase base, const std::string& path) = 0;

  virtual bool ValueExists(const RegistryKey& key, const std::string& name) = 0;
  virtual RegistryValue ReadValue(const RegistryKey& key, const std::string& name) = 0;

  // Stores text as a REG_SZ value with its terminating zero, in UTF-16 as the registry keeps
  // text.
  Outcome WriteString(const RegistryKey& key, const std::string& name, const WideString& text) {
    std::string bytes;
    for (const char16_t unit : text + u'\0') {
      bytes += static_cast<char>(unit & 0xFF);
      bytes += static_cast<char>(unit >> 8);
    }
    return WriteValueWide(key, WideSpelling(name), kRegString, bytes);
  }

  Outcome DeleteValue(const RegistryKey& key, const std::string& name) {
    return DeleteValueWide(key, WideSpelling(name));
  }

  // ANSI text in UTF-16 as the system converts it, and the ANSI spelling of UTF-16 text as the
  // system shows it: "?" for every character the code page cannot hold, never a look-alike.
  virtual WideString WideSpelling(const std::string& ansi) = 0;
  virtual std::string AnsiSpelling(const WideString& wide) = 0;

  // The wide operations take and give UTF-16 names, so no name or text passes through the
  // ANSI code page. Paths are "\"-separated and relative to their base. The empty value name
  // is the key's default value.

  virtual OpenedKey OpenKeyWide(KeyBase base, const WideString& path, RegistryAccess access,
                                LinkHandling links) = 0;
  // Opens a key, creating it and every missing key on its path.
  virtual OpenedKey CreateKeyWide(KeyBase base, const WideString& path, RegistryAccess access) = 0;
  virtual NameListResult SubkeyNamesWide(const RegistryKey& key) = 0;
  SubkeyNameForms SubkeyNamesInBothForms(const RegistryKey& key) {
    NameListResult listed = SubkeyNamesWide(key);
    SubkeyNameForms forms{std::move(listed.names), {}, listed.error};
    for (const WideString& name : forms.exact) {
      forms.ansi.push_back(AnsiSpelling(name));
    }
    return forms;
  }
  virtual NameListResult ValueNamesWide(const RegistryKey& key) = 0;
  virtual ValueReadResult ReadValueWide(const RegistryKey& key, const WideString& name) = 0;
  // Stores the bytes exactly as given, under any type.
  virtual Outcome WriteValueWide(const RegistryKey& key, const WideString& name, std::uint32_t type,
                                 const std::string& bytes) = 0;
  virtual Outcome DeleteValueWide(const RegistryKey& key, const WideString& name) = 0;
  // Deletes the very key the handle names: a key opened with LinkHandling::kOpenLinkItself
  // that is a link goes itself, never its target. Refused while the key has subkeys; the key
  // needs full access.
  virtual Outcome DeleteOpenedKey(const RegistryKey& key) = 0;
};

}  // namespace nexolant::platform
