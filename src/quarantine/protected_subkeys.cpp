#include "quarantine/protected_subkeys.h"

#include <algorithm>

namespace nexolant {

void AppendAsciiKeyName(std::string& path, const platform::WideString& name) {
  path += '\\';
  for (const char16_t c : name) {
    path += c < 0x80 ? static_cast<char>(c) : '?';
  }
}

bool HoldsProtectedKey(const protection::ProtectionPolicy& protection, const std::string& path,
                       const KeyTree& tree) {
  return std::any_of(tree.subkeys.begin(), tree.subkeys.end(), [&](const KeyTree& subkey) {
    std::string below = path;
    AppendAsciiKeyName(below, subkey.name);
    return protection.IsProtectedKey(below) || HoldsProtectedKey(protection, below, subkey);
  });
}

}  // namespace nexolant
