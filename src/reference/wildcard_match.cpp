#include "reference/wildcard_match.h"

#include <string>

namespace nexolant {

WildcardOutcome EvaluateWildcardMatch(std::string_view name, std::string_view pattern) noexcept {
  std::size_t i = 0;  // pattern position
  std::size_t j = 0;  // name position
  while (j < name.size() && i < pattern.size()) {
    const char c = pattern[i];
    if (c == '*') {
      ++i;
      if (i == pattern.size()) {
        return WildcardOutcome::kMatch;
      }
      const char d = pattern[i];
      if (d == '*' || d == '?') {
        return WildcardOutcome::kInvalidMask;
      }
      // The first occurrence of d only; a later one is never tried.
      j = name.find(d, j);
      if (j == std::string_view::npos) {
        return WildcardOutcome::kNoMatch;
      }
    } else if (c == '?') {
      ++i;
      ++j;
    } else {
      if (c != name[j]) {
        return WildcardOutcome::kNoMatch;
      }
      ++i;
      ++j;
    }
  }
  return i == pattern.size() && j == name.size() ? WildcardOutcome::kMatch
                                                 : WildcardOutcome::kNoMatch;
}

std::size_t FindMalformedStar(std::string_view pattern) noexcept {
  for (std::size_t k = 0; k + 1 < pattern.size(); ++k) {
    if (pattern[k] == '*' && (pattern[k + 1] == '*' || pattern[k + 1] == '?')) {
      return k;
    }
  }
  return std::string_view::npos;
}

bool WildcardMatchUpper(std::string_view name, std::string_view pattern) {
  const WildcardOutcome outcome = EvaluateWildcardMatch(name, pattern);
  if (outcome == WildcardOutcome::kInvalidMask) {
    throw InvalidMask();
  }
  return outcome == WildcardOutcome::kMatch;
}

bool WildcardMatch(std::string_view name, std::string_view pattern, bool caseSensitive,
                   const platform::Locale& locale) {
  if (caseSensitive) {
    return WildcardMatchUpper(name, pattern);
  }
  return WildcardMatchUpper(locale.UpperCase(name), locale.UpperCase(pattern));
}

}  // namespace nexolant
