#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "platform/ascii.h"

namespace nexolant::protection {

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
    if (platform::AsciiEqualNoCase(base, device)) {
      return true;
    }
  }
  return base.size() == 4 && base[3] >= '1' && base[3] <= '9' &&
         (platform::AsciiEqualNoCase(base.substr(0, 3), "COM") ||
          platform::AsciiEqualNoCase(base.substr(0, 3), "LPT"));
}

}  // namespace nexolant::protection
