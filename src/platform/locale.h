#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/clock.h"

namespace nexolant::platform {

// The user's locale: number and date formats, and text case rules of the ANSI code page.
class Locale {
 public:
  virtual ~Locale() = default;

  // A whole number with thousands separators and no decimals, e.g. "12,345".
  virtual std::string FormatCount(std::int64_t value) const = 0;

  // Short date followed by long time.
  virtual std::string FormatDateTime(DateTime value) const = 0;
  // Short date alone.
  virtual std::string FormatDate(DateTime value) const = 0;
  // The system's message for an error code, in the user's language.
  virtual std::string ErrorText(std::uint32_t code) const {
    return "System error " + std::to_string(code) + ".";
  }

  virtual char DecimalSeparator() const = 0;

  // Locale-aware upper-casing of the ANSI code page; never changes the length.
  virtual void UpperCaseInPlace(std::string& text) const = 0;

  // Locale-aware case-insensitive comparison: negative, zero or positive.
  virtual int CompareText(std::string_view a, std::string_view b) const = 0;

  // The order lstrcmpA sorts in: locale-aware and case-sensitive, with case deciding only
  // between texts that are otherwise the same, lower case first ("abc" < "ABC" < "abd").
  // Negative, zero or positive.
  virtual int CompareWordSort(std::string_view a, std::string_view b) const = 0;

  std::string UpperCase(std::string_view text) const {
    std::string result(text);
    UpperCaseInPlace(result);
    return result;
  }
  bool SameText(std::string_view a, std::string_view b) const { return CompareText(a, b) == 0; }
};

}  // namespace nexolant::platform
