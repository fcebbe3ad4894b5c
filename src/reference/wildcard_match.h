#pragma once

#include <cstddef>
#include <stdexcept>
#include <string_view>

#include "platform/locale.h"

namespace nexolant {

// Raised for a "*" followed by "*" or "?", when the matcher reaches it with name left.
class InvalidMask : public std::runtime_error {
 public:
  InvalidMask() : std::runtime_error("Invalid mask") {}
};

enum class WildcardOutcome { kNoMatch, kMatch, kInvalidMask };

// One left-to-right pass with "*" and "?", without backtracking: a "*" stands for the name
// up to the first occurrence of the pattern character after it, and a trailing "*" for at
// least one character. Compares the strings as they are and reports a malformed "*"
// instead of raising, so that callers weighing several patterns can decide which error counts.
WildcardOutcome EvaluateWildcardMatch(std::string_view name, std::string_view pattern) noexcept;

// The position of the first "*" followed by "*" or "?", which the matcher rejects as
// "Invalid mask" whenever it reaches it; npos when the pattern has none. A pattern with one
// makes every lookup that reaches it fail.
std::size_t FindMalformedStar(std::string_view pattern) noexcept;

// Without caseSensitive both strings are upper-cased with the locale first.
bool WildcardMatch(std::string_view name, std::string_view pattern, bool caseSensitive,
                   const platform::Locale& locale);

// The same pass over strings that are already upper-cased.
bool WildcardMatchUpper(std::string_view name, std::string_view pattern);

}  // namespace nexolant
