#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/registry.h"
#include "registry/key_tree.h"

namespace nexolant {

// A key saved whole: the root and path of its parent (empty: the root itself) and its tree.
struct SavedKey {
  platform::RegistryRoot root = platform::RegistryRoot::kCurrentUser;
  platform::WideString parentPath;
  KeyTree tree;
  bool operator==(const SavedKey&) const = default;
};

struct [[nodiscard]] RegistrationWriteResult {
  std::string bytes;    // the file's bytes
  std::string problem;  // why the key cannot be written exactly; empty on success
  bool ok() const { return problem.empty(); }
};

struct [[nodiscard]] RegistrationReadResult {
  std::optional<SavedKey> key;
  std::string problem;  // which line cannot be read exactly, and why; empty on success
};

// Writes the form the system's registry editor exports and merges: UTF-16LE with its
// byte-order mark, "Windows Registry Editor Version 5.00", then for every key (parents before
// children) a "[HKEY_...\path]" line, its values and an empty line. Values are "name"=data
// ("@" for the default value, "\" and "\"" escaped): "text" for a REG_SZ that is exactly one
// terminated text, dword:xxxxxxxx for a 4-byte REG_DWORD, hex: for REG_BINARY and hex(N): for
// every other type and for the values the forms above cannot hold exactly; long hex lines go on
// after ",\" on lines indented by two spaces. Fails for a name holding a line break or a zero,
// which that form cannot hold, and for names the registry cannot have.
RegistrationWriteResult WriteRegistrationFile(const SavedKey& saved);

// Reads what WriteRegistrationFile writes, and that form as people edit it (either line end,
// blank lines, ";" comments, spaces around "=" and at line ends, any wrapping of hex lists).
// Rejects, naming the line, whatever it cannot read exactly: other encodings or headers, key
// deletions ("[-...]") and value deletions ("=-"), keys outside the first key's tree or before
// their parents, repeated keys or values, other escapes, malformed data.
RegistrationReadResult ReadRegistrationFile(std::string_view bytes);

}  // namespace nexolant
