#include "registry/string_value.h"

namespace nexolant {

std::optional<platform::WideString> StringValueText(std::uint32_t type, const std::string& bytes) {
  if ((type != platform::kRegString && type != platform::kRegExpandString) ||
      bytes.size() % 2 != 0) {
    return std::nullopt;
  }
  platform::WideString text;
  for (std::size_t k = 0; k + 1 < bytes.size(); k += 2) {
    const auto unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[k]) |
                                            static_cast<unsigned char>(bytes[k + 1]) << 8);
    if (unit == u'\0') {
      break;
    }
    text += unit;
  }
  return text;
}

}  // namespace nexolant
