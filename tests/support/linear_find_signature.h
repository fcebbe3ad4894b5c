#pragma once

#include <string>
#include <string_view>

#include "platform/locale.h"
#include "platform/string_list.h"
#include "reference/wildcard_match.h"

namespace nexolant {

// The first-match rule as a plain walk over the list: each entry and the name upper-cased
// ("a" to "z" only), then compared with WildcardMatch, which upper-cases both again with the
// locale. InvalidMask ends the walk.
inline int LinearFindSignature(std::string_view name, const StringList& patterns,
                               const platform::Locale& locale) {
  const auto asciiUpper = [](std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
      if (c >= 'a' && c <= 'z') {
        c = static_cast<char>(c - 'a' + 'A');
      }
    }
    return upper;
  };
  const int count = static_cast<int>(patterns.size());
  for (int index = 0; index < count; ++index) {
    if (WildcardMatch(asciiUpper(name), asciiUpper(patterns[index]), false, locale)) {
      return index;
    }
  }
  return -1;
}

}  // namespace nexolant
