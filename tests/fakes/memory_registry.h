#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/registry.h"
#include "platform/string_list.h"

namespace nexolant {

// An in-memory registry with the Windows behaviour the program relies on:
// - names are kept in UTF-16; the ANSI operations see them through the fake system's code
//   page, ISO 8859-1, where any character beyond it reads as "?", and text values are kept in
//   UTF-16 and converted for the ANSI operations as the system converts them;
// - key and value names compare case-insensitively (ASCII letters) and keep their spelling;
// - CreateKey makes every missing key on its path; OpenKey with an empty path opens its base;
// - DeleteKey refuses a key that has subkeys, as RegDeleteKeyA does on the NT family;
// - subkeys are listed sorted by their upper-cased names, the order Windows keeps them in and
//   returns from RegEnumKeyExA (Wine compares lower-cased names instead; the orders differ
//   only for the characters between "Z" and "a", so tests keep to letters and digits);
// - a key opened with read access refuses value writes and deletions;
// - a deleted key's open handles fail every operation;
// - a link key (AddLink) leads to its target wherever a path passes through it, except as the
//   last key opened with LinkHandling::kOpenLinkItself: that opens the link itself, which holds
//   only its "SymbolicLinkValue" of type REG_LINK. DeleteKey follows a link as RegDeleteKey
//   does; DeleteOpenedKey deletes the key it was given.
// The four roots are separate trees (the classes root is no merged view here). A path with an
// empty name in it (leading, trailing or doubled "\") is refused, and DeleteKey refuses the
// empty path. Keys must not outlive the registry.
class MemoryRegistry : public platform::Registry {
 public:
  MemoryRegistry();
  ~MemoryRegistry() override;

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
  std::string AnsiSpelling(const platform::WideString& wide) override;
  // 2 for a missing key, 5 for a denied one or one that still has subkeys.

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

  // Set-up and inspection for tests; paths are from the root. AddKey and SetValue create
  // missing keys; the setters throw std::out_of_range for a key that does not exist.
  void AddKey(platform::RegistryRoot root, const std::string& path);
  void SetValue(platform::RegistryRoot root, const std::string& path, const std::string& name,
                std::uint32_t type, const std::string& data);
  // Makes a link key at the path (its parent created when missing) that leads to the target,
  // which may be missing; throws std::out_of_range when a key of that name exists.
  void AddLink(platform::RegistryRoot root, const std::string& path,
               platform::RegistryRoot targetRoot, const std::string& targetPath);
  bool HasKey(platform::RegistryRoot root, const std::string& path) const;
  // The value's type and bytes; none when it is missing.
  std::optional<platform::RegistryValue> Value(platform::RegistryRoot root, const std::string& path,
                                               const std::string& name) const;
  // The key opens with read access only and cannot be deleted, as under a restrictive ACL.
  void DenyFullAccess(platform::RegistryRoot root, const std::string& path);
  // Reading the value fails although it exists.
  void SetUnreadable(platform::RegistryRoot root, const std::string& path, const std::string& name);

  int OpenKeyCount() const { return openKeys_; }
  // Paths from the root of the keys deleted, in the order they went.
  const StringList& DeletedKeys() const { return deletedKeys_; }
  // Calls of OpenKey and OpenKeyWide, successful or not.
  int OpenCount() const { return openCount_; }

 private:
  struct Node;
  class Key;

  Node* BaseNode(platform::KeyBase base) const;
  Node* Find(Node* base, const std::string& path) const;
  Node* Find(Node* base, const platform::WideString& path, platform::LinkHandling links,
             int hops) const;
  Node* Follow(const Node& link, int hops) const;
  Node& At(platform::RegistryRoot root, const std::string& path) const;
  Node* Create(Node* base, const std::string& path);
  Node* Create(Node* base, const platform::WideString& path, bool& created);
  void Remove(Node& node);

  std::array<std::shared_ptr<Node>, 4> roots_;
  int openKeys_ = 0;
  StringList deletedKeys_;
  int openCount_ = 0;
};

}  // namespace nexolant
