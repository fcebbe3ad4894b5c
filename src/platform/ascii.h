#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace nexolant::platform {

// Upper-cases a to z only: the folding of names that must not depend on the code page.
constexpr char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Whether two texts are equal when a to z are folded, whatever the code page.
constexpr bool AsciiEqualNoCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return AsciiUpper(x) == AsciiUpper(y); });
}

inline std::string AsciiUpperCase(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    c = AsciiUpper(c);
  }
  return result;
}

inline std::string AsciiLowerCase(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    c = AsciiLower(c);
  }
  return result;
}

}  // namespace nexolant::platform
