#pragma once

#include <stdexcept>
#include <string_view>

#include "platform/locale.h"

namespace nexolant {

// Raised for a "*" followed by "*" or "?", when the matcher reaches it with name left.
class InvalidMask : public std::runtime_error {
 public:
  InvalidMask() : std::runtime_error("Invalid mask") {}
};

// One left-to-right pass with "*" and "?", without backtracking. Without caseSensitive both
// strings are upper-cased with the locale first.
bool WildcardMatch(std::string_view name, std::string_view pattern, bool caseSensitive,
                   const platform::Locale& locale);

// The same pass over strings that are already upper-cased.
bool WildcardMatchUpper(std::string_view name, std::string_view pattern);

}  // namespace nexolant
