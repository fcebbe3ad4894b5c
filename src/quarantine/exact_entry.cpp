#include "quarantine/exact_entry.h"

#include "quarantine/quarantine_files.h"

namespace nexolant {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return -1;
}

}  // namespace

std::string ExactEntryKey(std::string_view stored) {
  return kExactEntryMark + std::string(stored);
}

std::optional<std::string> StoredNameOfKey(std::string_view key) {
  if (key.empty() || key.front() != kExactEntryMark || !IsPlainFileName(key.substr(1))) {
    return std::nullopt;
  }
  return std::string(key.substr(1));
}

std::string EncodeExactPath(std::string_view path) {
  std::string text;
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte > 0x7E || c == '%') {
      text += '%';
      text += kHexDigits[byte >> 4];
      text += kHexDigits[byte & 0x0F];
    } else {
      text += c;
    }
  }
  return text;
}

// Only the encoder's own form is accepted, so a path has exactly one text.
std::optional<std::string> DecodeExactPath(std::string_view text) {
  std::string path;
  for (std::size_t k = 0; k < text.size(); ++k) {
    const auto byte = static_cast<unsigned char>(text[k]);
    if (byte < 0x20 || byte > 0x7E) {
      return std::nullopt;
    }
    if (text[k] != '%') {
      path += text[k];
      continue;
    }
    if (k + 2 >= text.size()) {
      return std::nullopt;
    }
    const int high = HexValue(text[k + 1]);
    const int low = HexValue(text[k + 2]);
    const int decoded = high * 16 + low;
    if (high < 0 || low < 0 || (decoded >= 0x20 && decoded <= 0x7E && decoded != '%')) {
      return std::nullopt;
    }
    path += static_cast<char>(decoded);
    k += 2;
  }
  return path;
}

}  // namespace nexolant
