#pragma once

#include <string>
#include <string_view>

#include "platform/ascii.h"
#include "platform/locale.h"
#include "platform/string_list.h"
#include "reference/wildcard_match.h"

namespace nexolant {

// The first-match rule as a plain walk over the list: each entry and the name upper-cased
// ("a" to "z" only), then compared with WildcardMatch, which upper-cases both again with the
// locale. InvalidMask ends the walk.
inline int LinearFindSignature(std::string_view name, const StringList& patterns,
                               const platform::Locale& locale) {
  const int count = static_cast<int>(patterns.size());
  for (int index = 0; index < count; ++index) {
    if (WildcardMatch(platform::AsciiUpperCase(name), platform::AsciiUpperCase(patterns[index]),
                      false, locale)) {
      return index;
    }
  }
  return -1;
}

}  // namespace nexolant
