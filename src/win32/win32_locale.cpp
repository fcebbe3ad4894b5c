#include "win32/win32_locale.h"

#include <windows.h>

#include <cmath>
#include <stdexcept>

#include "win32/system_error_text.h"

namespace nexolant::win32 {
namespace {

constexpr std::int64_t kFirstDay = -109205;  // 1601-01-01, where the system's calendar starts
constexpr std::int64_t kLastDay = 2958465;   // 9999-12-31
constexpr std::int64_t kMillisecondsPerDay = 86400000;
constexpr std::uint64_t kTicksPerMillisecond = 10000;  // FILETIME counts 100 ns

std::string LocaleInfo(LCTYPE type, const char* fallback) {
  char buffer[32];  // the separators and the grouping are at most 10 characters
  const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
  return length > 1 ? std::string(buffer, length - 1) : fallback;
}

unsigned Digits(std::string_view text) {
  unsigned value = 0;
  for (const char c : text) {
    if (c >= '0' && c <= '9') {
      value = value * 10 + static_cast<unsigned>(c - '0');
    }
  }
  return value;
}

// The locale's grouping ("3;0", "3;2;0", "3") as NUMBERFMT wants it (3, 32, 30): a final 0
// means "repeat the last group" there and is dropped here; without it the groups do not
// repeat, which NUMBERFMT says with a final 0.
unsigned Grouping(std::string_view text) {
  const unsigned groups = Digits(text);
  return !text.empty() && text.back() == '0' ? groups / 10 : groups * 10;
}

[[noreturn]] void ThrowInvalidDateTime() {
  throw std::out_of_range("Invalid date and time");
}

// Days since 1899-12-30 with the time as the fraction (taken without its sign, so -1.25 is
// 1899-12-29 06:00), rounded to the millisecond, as the system's calendar time.
SYSTEMTIME ToSystemTime(platform::DateTime value) {
  const double wholeDays = std::trunc(value);
  if (!std::isfinite(value) || wholeDays < kFirstDay || wholeDays > kLastDay) {
    ThrowInvalidDateTime();
  }
  auto days = static_cast<std::int64_t>(wholeDays);
  std::int64_t milliseconds = std::llround(std::fabs(value - wholeDays) * kMillisecondsPerDay);
  if (milliseconds >= kMillisecondsPerDay) {  // rounded up to the next midnight
    milliseconds -= kMillisecondsPerDay;
    if (++days > kLastDay) {
      ThrowInvalidDateTime();
    }
  }
  const std::uint64_t ticks =
      static_cast<std::uint64_t>((days - kFirstDay) * kMillisecondsPerDay + milliseconds) *
      kTicksPerMillisecond;
  FILETIME fileTime;
  fileTime.dwLowDateTime = static_cast<DWORD>(ticks);
  fileTime.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  SYSTEMTIME time;
  if (!FileTimeToSystemTime(&fileTime, &time)) {
    ThrowInvalidDateTime();
  }
  return time;
}

// CompareStringA's answer as negative, zero or positive.
int Compare(LCID locale, DWORD flags, std::string_view a, std::string_view b) {
  // An empty view may carry no pointer, which the system refuses.
  const char* left = a.empty() ? "" : a.data();
  const char* right = b.empty() ? "" : b.data();
  switch (CompareStringA(locale, flags, left, static_cast<int>(a.size()), right,
                         static_cast<int>(b.size()))) {
    case CSTR_LESS_THAN:
      return -1;
    case CSTR_EQUAL:
      return 0;
    case CSTR_GREATER_THAN:
      return 1;
    default:
      throw LastSystemError();
  }
}

}  // namespace

Win32Locale::Win32Locale()
    : decimalSeparator_(LocaleInfo(LOCALE_SDECIMAL, ".")),
      thousandSeparator_(LocaleInfo(LOCALE_STHOUSAND, ",")),
      grouping_(Grouping(LocaleInfo(LOCALE_SGROUPING, "3;0"))),
      negativeOrder_(Digits(LocaleInfo(LOCALE_INEGNUMBER, "1"))) {}

std::string Win32Locale::FormatCount(std::int64_t value) const {
  const std::string digits = std::to_string(value);
  NUMBERFMTA format = {};
  format.NumDigits = 0;
  format.LeadingZero = 1;  // without it a zero comes out as an empty text
  format.Grouping = grouping_;
  format.lpDecimalSep = const_cast<char*>(decimalSeparator_.c_str());
  format.lpThousandSep = const_cast<char*>(thousandSeparator_.c_str());
  format.NegativeOrder = negativeOrder_;
  char text[128];  // 20 digits, their separators and the sign's decoration
  const int length =
      GetNumberFormatA(LOCALE_USER_DEFAULT, 0, digits.c_str(), &format, text, sizeof text);
  if (length == 0) {
    throw LastSystemError();
  }
  return std::string(text, length - 1);
}

std::string Win32Locale::FormatDateTime(platform::DateTime value) const {
  const SYSTEMTIME time = ToSystemTime(value);
  char date[128];
  char clock[128];
  const int dateLength =
      GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, sizeof date);
  const int clockLength =
      GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, sizeof clock);
  if (dateLength == 0 || clockLength == 0) {
    ThrowInvalidDateTime();
  }
  return std::string(date, dateLength - 1) + " " + std::string(clock, clockLength - 1);
}

std::string Win32Locale::FormatDate(platform::DateTime value) const {
  const SYSTEMTIME time = ToSystemTime(value);
  char date[128];
  const int length =
      GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, sizeof date);
  if (length == 0) {
    ThrowInvalidDateTime();
  }
  return std::string(date, length - 1);
}

void Win32Locale::UpperCaseInPlace(std::string& text) const {
  if (!text.empty()) {
    CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
  }
}

int Win32Locale::CompareText(std::string_view a, std::string_view b) const {
  return Compare(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a, b);
}

int Win32Locale::CompareWordSort(std::string_view a, std::string_view b) const {
  return Compare(GetThreadLocale(), 0, a, b);
}

std::string Win32Locale::ErrorText(std::uint32_t code) const {
  return SystemErrorText(code);
}

}  // namespace nexolant::win32
