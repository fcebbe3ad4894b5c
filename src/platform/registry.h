#pragma once

#include <cstdint>
#include <memory>
#include <string>

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
struct OpenedKey {
  RegistryKeyPtr key;
  std::uint32_t error = 0;

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
struct RegistryValue {
  enum class Status { kFound, kMissing, kUnreadable };
  Status status = Status::kMissing;
  std::uint32_t type = kRegNone;
  std::string data;
};

// The raw registry operations. Paths are ANSI, "\"-separated and relative to their base; the
// empty path names the base itself. Names of keys and values compare case-insensitively.
class Registry {
 public:
  virtual ~Registry() = default;

  // Opens an existing key; fails when it is missing or the access is refused.
  virtual OpenedKey OpenKey(KeyBase base, const std::string& path, RegistryAccess access) = 0;

  // Opens a key, creating it and every missing key on its path.
  virtual OpenedKey CreateKey(KeyBase base, const std::string& path, RegistryAccess access) = 0;

  // The names of the key's subkeys in the registry's own order.
  virtual StringList SubkeyNames(const RegistryKey& key) = 0;

  // Deletes a key that has no subkeys; fails when it has some, is missing or may not be
  // deleted. The empty path is refused.
  virtual Outcome DeleteKey(KeyBase base, const std::string& path) = 0;

  virtual bool ValueExists(const RegistryKey& key, const std::string& name) = 0;
  virtual RegistryValue ReadValue(const RegistryKey& key, const std::string& name) = 0;

  // Stores text as a REG_SZ value of its length + 1 bytes; false on failure.
  virtual bool WriteString(const RegistryKey& key, const std::string& name,
                           const std::string& text) = 0;

  virtual bool DeleteValue(const RegistryKey& key, const std::string& name) = 0;
};

}  // namespace nexolant::platform
