#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/ascii.h"
#include "platform/locale.h"
#include "platform/portable/cp1252_word_sort.h"

namespace nexolant {

// A predictable locale for tests: ASCII case rules, "," thousands separators, "." decimal
// separator, dates as "yyyy-mm-dd hh:nn:ss" and the system's sort order of Western text.
class AsciiLocale : public platform::Locale {
 public:
  std::string FormatCount(std::int64_t value) const override {
    const std::string digits = std::to_string(value < 0 ? -static_cast<std::uint64_t>(value)
                                                        : static_cast<std::uint64_t>(value));
    std::string result = value < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
      if (i > 0 && (digits.size() - i) % 3 == 0) {
        result += ',';
      }
      result += digits[i];
    }
    return result;
  }

  std::string FormatDate(platform::DateTime value) const override {
    return FormatDateTime(value).substr(0, 10);
  }

  std::string FormatDateTime(platform::DateTime value) const override {
    // Civil date from days since 1899-12-30 (day 25569 is 1970-01-01); the time of day is
    // the fraction's absolute value.
    const auto days = static_cast<std::int64_t>(value);
    const auto seconds = std::llround(std::fabs(value - static_cast<double>(days)) * 86400.0);
    const std::int64_t z = days - 25569 + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const std::int64_t day = doy - (153 * mp + 2) / 5 + 1;
    const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    char text[128];
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld %02lld:%02lld:%02lld",
                  static_cast<long long>(year), static_cast<long long>(month),
                  static_cast<long long>(day), seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
  }

  char DecimalSeparator() const override { return '.'; }

  void UpperCaseInPlace(std::string& text) const override { text = platform::AsciiUpperCase(text); }

  int CompareText(std::string_view a, std::string_view b) const override {
    return UpperCase(a).compare(UpperCase(b));
  }

  int CompareWordSort(std::string_view a, std::string_view b) const override {
    return platform::CompareWordSort1252(a, b);
  }
};

}  // namespace nexolant
