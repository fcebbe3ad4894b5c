#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace nexolant {

// The registry's own limits: names of keys and values, and the depth of a tree.
inline constexpr std::size_t kKeyNameLimit = 255;
inline constexpr std::size_t kValueNameLimit = 16383;
inline constexpr std::size_t kTreeDepthLimit = 512;

// Where a key lives: a root and its path from there.
struct KeyLocation {
  platform::RegistryRoot root = platform::RegistryRoot::kCurrentUser;
  platform::WideString path;
  bool operator==(const KeyLocation&) const = default;
};

// The names of a path of one or more keys; none when the path is empty or holds an empty
// name (a leading, trailing or doubled "\"), since the registry would take such a path as the
// key it starts from.
std::optional<std::vector<platform::WideString>> SplitKeyPath(const platform::WideString& path);

// The path of a name below a parent path; the name alone when the parent path is empty.
platform::WideString JoinKeyPath(const platform::WideString& parent,
                                 const platform::WideString& name);

// A name a key can have: 1 to 255 characters, no "\" and no zero.
bool IsKeyName(const platform::WideString& name);

// Whether opening failed because the key (or a key on its path) does not exist.
bool IsMissingKey(std::uint32_t error);

// UTF-8 text as the registry keeps text, in UTF-16; a malformed sequence reads as U+FFFD.
platform::WideString WideFromUtf8(std::string_view utf8);

// Upper-cases ASCII letters only, the case rule that holds for every name in every locale.
platform::WideString FoldAsciiCase(platform::WideString text);

// "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE" or "HKEY_USERS".
platform::WideString WideHiveName(platform::RegistryRoot root);
// The root of one of those names in any case of ASCII letters; none for other text.
std::optional<platform::RegistryRoot> RootOfHiveName(const platform::WideString& name);

}  // namespace nexolant
