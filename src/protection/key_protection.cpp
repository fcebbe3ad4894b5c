#include "protection/key_protection.h"

#include <algorithm>

#include "platform/ascii.h"
#include "protection/protected_keys.h"
#include "reference/signature_list.h"

namespace nexolant::protection {
namespace {

constexpr std::string_view kSoftwareRoots[] = {"HKEY_LOCAL_MACHINE\\SOFTWARE\\",
                                               "HKEY_CURRENT_USER\\Software\\"};

// A table name, where "?" stands for any one character, against a key's name.
bool NameMatches(std::string_view tableName, std::string_view name) {
  return tableName.size() == name.size() &&
         std::equal(tableName.begin(), tableName.end(), name.begin(),
                    [](char t, char n) { return t == '?' || t == n; });
}

// Whether the first count names of a table's key match those of a key.
bool LeadingNamesMatch(const std::vector<std::string>& table, const std::vector<std::string>& key,
                       std::size_t count) {
  for (std::size_t k = 0; k < count; ++k) {
    if (!NameMatches(table[k], key[k])) {
      return false;
    }
  }
  return true;
}

}  // namespace

KeyProtection::KeyProtection(const platform::Locale& locale) : locale_(locale) {
  for (const std::string_view root : kSoftwareRoots) {
    for (const std::string_view key : ProtectedSoftwareKeys()) {
      Add(std::string(root) + std::string(key), false);
    }
    for (const std::string_view key : OwnSoftwareKeys()) {
      Add(std::string(root) + std::string(key), true);
    }
  }
  for (const std::string_view key : ProtectedClassesKeys()) {
    Add("HKEY_CLASSES_ROOT\\" + std::string(key), false);
  }
  for (const std::string_view key : ProtectedClassesSubtrees()) {
    Add("HKEY_CLASSES_ROOT\\" + std::string(key), true);
  }
  for (const std::string_view key : WindowsOwnClasses()) {
    // The classes themselves are judged one by one, by the programs they name; the 32-bit
    // view is the classes root again.
    if (!platform::AsciiEqualNoCase(key, "CLSID") &&
        !platform::AsciiEqualNoCase(key, "Wow6432Node")) {
      Add("HKEY_CLASSES_ROOT\\" + std::string(key), true);
    }
  }
  for (const std::string_view key : ProtectedMachineKeys()) {
    Add("HKEY_LOCAL_MACHINE\\" + std::string(key), false);
  }
  for (const std::string_view key : ProtectedMachineSubtrees()) {
    Add("HKEY_LOCAL_MACHINE\\" + std::string(key), true);
  }
  for (const std::string_view key : ProtectedUserKeys()) {
    Add("HKEY_CURRENT_USER\\" + std::string(key), false);
  }
}

void KeyProtection::Add(std::string_view path, bool withDescendants) {
  if (std::optional<Canonical> key = Canonicalize(path)) {
    entries_.push_back({std::move(*key), withDescendants});
  }
}

bool KeyProtection::IsProtected(std::string_view path) const {
  const std::optional<Canonical> key = Canonicalize(path);
  if (!key || key->names.empty()) {
    return true;
  }
  const std::vector<std::string>& names = key->names;
  // A file type ties an extension to the program that opens it: Windows' own among them are
  // what every program relies on, and removing one is never a cure.
  if (key->root == Root::kClasses && names.front().starts_with('.')) {
    return true;
  }
  return std::any_of(entries_.begin(), entries_.end(), [&key, &names](const Entry& entry) {
    const std::vector<std::string>& table = entry.key.names;
    if (entry.key.root != key->root) {
      return false;
    }
    // The key itself or one that holds it; for the program's keys, also one inside.
    return (names.size() <= table.size() && LeadingNamesMatch(table, names, names.size())) ||
           (entry.withDescendants && table.size() <= names.size() &&
            LeadingNamesMatch(table, names, table.size()));
  });
}

std::optional<KeyProtection::Canonical> KeyProtection::Canonicalize(std::string_view path) const {
  while (path.starts_with('\\')) {
    path.remove_prefix(1);
  }
  while (path.ends_with('\\')) {
    path.remove_suffix(1);
  }
  std::vector<std::string> names;
  for (std::size_t start = 0; start <= path.size();) {
    const std::size_t end = std::min(path.find('\\', start), path.size());
    names.push_back(SignatureUpperCase(path.substr(start, end - start), locale_));
    if (names.back().empty()) {
      return std::nullopt;
    }
    start = end + 1;
  }
  const std::string hive = names.front();
  names.erase(names.begin());
  Canonical key{Root::kMachine, std::move(names)};
  std::vector<std::string>& rest = key.names;
  if (hive == "HKEY_CLASSES_ROOT" || hive == "HKCR") {
    key.root = Root::kClasses;
  } else if (hive == "HKEY_CURRENT_USER" || hive == "HKCU") {
    key.root = Root::kUser;
  } else if (hive == "HKEY_LOCAL_MACHINE" || hive == "HKLM") {
    key.root = Root::kMachine;
  } else if (hive == "HKEY_USERS" || hive == "HKU") {
    // A user's hive, or the classes hive of one; the hive's own top counts as a root.
    const bool classes = !rest.empty() && rest.front().ends_with("_CLASSES");
    key.root = classes ? Root::kClasses : Root::kUser;
    if (rest.size() < 2) {
      return Canonical{key.root, {}};
    }
    rest.erase(rest.begin());
  } else if (hive == "HKEY_CURRENT_CONFIG" || hive == "HKCC") {
    rest.insert(rest.begin(), {"SYSTEM", "CURRENTCONTROLSET", "HARDWARE PROFILES", "CURRENT"});
  } else {
    return std::nullopt;
  }
  const auto startsWith = [&rest](std::string_view first, std::string_view second) {
    return rest.size() >= 2 && rest[0] == first && rest[1] == second;
  };
  if (key.root != Root::kClasses && startsWith("SOFTWARE", "WOW6432NODE")) {
    rest.erase(rest.begin() + 1);
  }
  if (key.root != Root::kClasses && startsWith("SOFTWARE", "CLASSES")) {
    key.root = Root::kClasses;
    rest.erase(rest.begin(), rest.begin() + 2);
  }
  if (key.root == Root::kClasses && !rest.empty() && rest.front() == "WOW6432NODE") {
    rest.erase(rest.begin());
  }
  return key;
}

}  // namespace nexolant::protection
