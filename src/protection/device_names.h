#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace nexolant::protection {

// Whether a text equals an upper-case ASCII word, without regard to case.
inline bool SameAsciiWord(std::string_view text, std::string_view upperWord) {
  if (text.size() != upperWord.size()) {
    return false;
  }
  for (std::size_t k = 0; k < text.size(); ++k) {
    const char c = text[k] >= 'a' && text[k] <= 'z' ? static_cast<char>(text[k] - 32) : text[k];
    if (c != upperWord[k]) {
      return false;
    }
  }
  return true;
}

// Whether Windows reads a file name as a device rather than a file: CON, PRN, AUX, NUL,
// COM1 to COM9 and LPT1 to LPT9 (and the console's CONIN$ and CONOUT$), in any case, also
// followed by blanks or by an extension ("nul.txt" is the null device too).
inline bool IsDeviceName(std::string_view name) {
  static constexpr std::array<std::string_view, 6> kDevices = {"CON", "PRN",    "AUX",
                                                               "NUL", "CONIN$", "CONOUT$"};
  std::string_view base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') {
    base.remove_suffix(1);
  }
  for (const std::string_view device : kDevices) {
    if (SameAsciiWord(base, device)) {
      return true;
    }
  }
  return base.size() == 4 && base[3] >= '1' && base[3] <= '9' &&
         (SameAsciiWord(base.substr(0, 3), "COM") || SameAsciiWord(base.substr(0, 3), "LPT"));
}

}  // namespace nexolant::protection
