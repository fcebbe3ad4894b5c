#pragma once

#include <string>
#include <string_view>

namespace nexolant::platform {

// Upper-cases a to z only: the folding of names that must not depend on the code page.
constexpr char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string AsciiUpperCase(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    c = AsciiUpper(c);
  }
  return result;
}

}  // namespace nexolant::platform
