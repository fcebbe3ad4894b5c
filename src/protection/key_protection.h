#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/locale.h"

namespace nexolant::protection {

// The registry keys that nothing may delete: the keys of the tables with every key that holds
// one, the subtrees of the tables and the program's own keys with everything in them, and every
// file type's key. Protection goes by path, so that a
// key named like a protected one elsewhere (a "CLSID" inside an adware ProgID) stays
// removable. The views of one key compare as that key: HKEY_CLASSES_ROOT and both
// Software\Classes, HKEY_USERS and HKEY_CURRENT_USER, the Wow6432Node views.
class KeyProtection {
 public:
  enum class Root { kClasses, kUser, kMachine };
  // A key as the views of one key share it.
  struct Canonical {
    Root root;
    std::vector<std::string> names;  // upper-cased
  };

  explicit KeyProtection(const platform::Locale& locale);

  // path: a root ("HKEY_CURRENT_USER", or "HKCU" and the like), "\" and the key's path. A
  // root of its own, an unknown root and a path with an empty name are protected.
  bool IsProtected(std::string_view path) const;

  // The canonical form of path; none for an unknown root or a path with an empty name.
  std::optional<Canonical> Canonicalize(std::string_view path) const;

 private:
  struct Entry {
    Canonical key;
    bool withDescendants;
  };

  void Add(std::string_view path, bool withDescendants);

  const platform::Locale& locale_;
  std::vector<Entry> entries_;
};

}  // namespace nexolant::protection
