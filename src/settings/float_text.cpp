#include "settings/float_text.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <system_error>

namespace nexolant {
namespace {

constexpr int kSignificantDigits = 15;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The digits of a text without its trailing zeros, never empty.
std::string WithoutTrailingZeros(std::string digits) {
  const std::size_t last = digits.find_last_not_of('0');
  digits.erase(last == std::string::npos ? 1 : last + 1);
  return digits;
}

}  // namespace

std::string FloatToText(double value, char decimalSeparator) {
  if (value == 0) {
    return "0";
  }
  // Rounded to 15 significant digits: "d.dddddddddddddde[+-]x".
  char buffer[64];
  const std::to_chars_result written = std::to_chars(
      buffer, buffer + sizeof buffer, value, std::chars_format::scientific, kSignificantDigits - 1);
  const std::string_view text(buffer, static_cast<std::size_t>(written.ptr - buffer));
  const bool negative = text.front() == '-';
  const std::size_t mantissaStart = negative ? 1 : 0;
  const std::size_t exponentMark = text.find('e');
  std::string digits;
  for (const char c : text.substr(mantissaStart, exponentMark - mantissaStart)) {
    if (IsDigit(c)) {
      digits += c;
    }
  }
  int exponent = 0;
  const std::string_view exponentText = text.substr(exponentMark + 1);
  std::from_chars(exponentText.data() + (exponentText.front() == '+' ? 1 : 0),
                  exponentText.data() + exponentText.size(), exponent);
  digits = WithoutTrailingZeros(std::move(digits));

  std::string result = negative ? "-" : "";
  if (exponent >= kSignificantDigits || std::fabs(value) < 0.00001) {
    result += digits.front();
    if (digits.size() > 1) {
      result += decimalSeparator;
      result.append(digits, 1);
    }
    return result + "E" + std::to_string(exponent);
  }
  if (exponent < 0) {
    result += '0';
    result += decimalSeparator;
    result.append(static_cast<std::size_t>(-exponent - 1), '0');
    return result + digits;
  }
  const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
  if (digits.size() <= integerDigits) {
    return result + digits + std::string(integerDigits - digits.size(), '0');
  }
  return result + digits.substr(0, integerDigits) + decimalSeparator + digits.substr(integerDigits);
}

std::optional<double> TextToFloat(std::string_view text, char decimalSeparator) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) {
    return std::nullopt;
  }
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  // Checked here, then handed on with a point: the conversion reads only that.
  std::string plain;
  std::size_t pos = 0;
  if (text[pos] == '-' || text[pos] == '+') {
    plain += text[pos] == '-' ? "-" : "";
    ++pos;
  }
  bool mantissaDigits = false;
  bool separator = false;
  for (; pos < text.size(); ++pos) {
    if (IsDigit(text[pos])) {
      mantissaDigits = true;
      plain += text[pos];
    } else if (text[pos] == decimalSeparator && !separator) {
      separator = true;
      plain += '.';
    } else {
      break;
    }
  }
  if (!mantissaDigits) {
    return std::nullopt;
  }
  if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e')) {
    plain += 'e';
    ++pos;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
      plain += text[pos];
      ++pos;
    }
    const std::size_t exponentStart = pos;
    while (pos < text.size() && IsDigit(text[pos])) {
      plain += text[pos];
      ++pos;
    }
    if (pos == exponentStart) {
      return std::nullopt;
    }
  }
  if (pos != text.size()) {
    return std::nullopt;
  }
  double value = 0;
  const char* begin = plain.data();
  const char* end = begin + plain.size();
  const std::from_chars_result read = std::from_chars(begin, end, value);
  if (read.ec != std::errc() || read.ptr != end || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

}  // namespace nexolant
