#include "registry/registration_format.h"

namespace nexolant::registration {

platform::WideString DecodeUtf16(std::string_view bytes) {
  platform::WideString text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                  static_cast<unsigned char>(bytes[i + 1]) << 8);
  }
  return text;
}

void AppendUtf16(std::string& bytes, std::u16string_view text) {
  for (const char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
}

std::string EncodeFile(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  bytes.reserve(2 + text.size() * 2);
  AppendUtf16(bytes, text);
  return bytes;
}

}  // namespace nexolant::registration
