#include "ini/integer_text.h"

#include <cstddef>

namespace nexolant {
namespace {

constexpr auto npos = std::string_view::npos;

int DigitValue(char c, int base) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (base == 16 && c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  if (base == 16 && c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return -1;
}

}  // namespace

std::optional<std::int32_t> ParseWholeNumber(std::string_view text) {
  // "0x" stands for the "$" prefix; the "0" would otherwise count as a digit.
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(1);
  }
  std::size_t pos = text.find_first_not_of(' ');
  if (pos == npos) {
    return std::nullopt;
  }
  const bool negative = text[pos] == '-';
  if (text[pos] == '-' || text[pos] == '+') {
    ++pos;
  }
  int base = 10;
  if (pos < text.size() && (text[pos] == '$' || text[pos] == 'x' || text[pos] == 'X')) {
    base = 16;
    ++pos;
  }
  if (pos == text.size()) {
    return std::nullopt;
  }
  const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
  std::int64_t value = 0;
  for (; pos < text.size(); ++pos) {
    const int digit = DigitValue(text[pos], base);
    if (digit < 0) {
      return std::nullopt;
    }
    value = value * base + digit;
    if (value > limit) {
      return std::nullopt;
    }
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

}  // namespace nexolant
