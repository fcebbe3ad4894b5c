#include "platform/portable/cp1252_locale.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "platform/portable/cp1252_word_sort.h"

namespace nexolant::platform {
namespace {

using UpperTable = std::array<unsigned char, 256>;

constexpr UpperTable MakeUpperTable() {
  UpperTable table{};
  for (int c = 0; c < 256; ++c) {
    table[c] = static_cast<unsigned char>(c);
  }
  for (int c = 'a'; c <= 'z'; ++c) {
    table[c] = static_cast<unsigned char>(c - 0x20);
  }
  // à-þ map to À-Þ, except ÷ (0xF7), which has no case.
  for (int c = 0xE0; c <= 0xFE; ++c) {
    if (c != 0xF7) {
      table[c] = static_cast<unsigned char>(c - 0x20);
    }
  }
  table[0x9A] = 0x8A;  // š -> Š
  table[0x9C] = 0x8C;  // œ -> Œ
  table[0x9E] = 0x8E;  // ž -> Ž
  table[0xFF] = 0x9F;  // ÿ -> Ÿ
  return table;
}

constexpr UpperTable kUpper = MakeUpperTable();

unsigned char Upper(char c) {
  return kUpper[static_cast<unsigned char>(c)];
}

constexpr std::int64_t kFirstDay = -693593;  // 0001-01-01
constexpr std::int64_t kLastDay = 2958465;   // 9999-12-31
constexpr std::int64_t kMillisecondsPerDay = 86400000;

struct CivilDate {
  std::int64_t year;
  unsigned month;
  unsigned day;
};

// The proleptic Gregorian date of a day counted from 1970-01-01.
CivilDate CivilFromDays(std::int64_t days) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
  const unsigned yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;
  const unsigned day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
  const unsigned month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
  const std::int64_t year = static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2);
  return {year, month, day};
}

}  // namespace

std::string Cp1252Locale::FormatCount(std::int64_t value) const {
  // Unsigned arithmetic keeps the most negative value representable.
  std::uint64_t magnitude =
      value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  std::string digits;
  int written = 0;
  do {
    if (written > 0 && written % 3 == 0) {
      digits.push_back(',');
    }
    digits.push_back(static_cast<char>('0' + magnitude % 10));
    magnitude /= 10;
    ++written;
  } while (magnitude != 0);
  if (value < 0) {
    digits.push_back('-');
  }
  return std::string(digits.rbegin(), digits.rend());
}

std::string Cp1252Locale::FormatDateTime(DateTime value) const {
  const double wholeDays = std::trunc(value);
  if (!std::isfinite(value) || wholeDays < kFirstDay || wholeDays > kLastDay) {
    throw std::out_of_range("Invalid date and time");
  }
  // The whole part is the day and the fraction, taken without its sign, the time of day:
  // -1.25 is 29/12/1899 06:00. Rounding to the millisecond absorbs binary fractions such as
  // 0.1 days; a time that rounds up to midnight belongs to the next day.
  std::int64_t days = static_cast<std::int64_t>(wholeDays);
  std::int64_t milliseconds = std::llround(std::fabs(value - wholeDays) * kMillisecondsPerDay);
  if (milliseconds >= kMillisecondsPerDay) {
    milliseconds -= kMillisecondsPerDay;
    ++days;
    if (days > kLastDay) {
      throw std::out_of_range("Invalid date and time");
    }
  }
  const CivilDate date = CivilFromDays(days - 25569);  // 1899-12-30 is 25,569 days before 1970
  // Every part fits an int once the range is checked.
  const int seconds = static_cast<int>(milliseconds / 1000);
  char text[80];  // wide enough for any int in every field
  std::snprintf(text, sizeof text, "%02u/%02u/%04d %02d:%02d:%02d", date.day, date.month,
                static_cast<int>(date.year), seconds / 3600, seconds / 60 % 60, seconds % 60);
  return text;
}

// The date is the first ten characters of the date and time.
std::string Cp1252Locale::FormatDate(DateTime value) const {
  return FormatDateTime(value).substr(0, 10);
}

void Cp1252Locale::UpperCaseInPlace(std::string& text) const {
  for (char& c : text) {
    c = static_cast<char>(Upper(c));
  }
}

int Cp1252Locale::CompareText(std::string_view a, std::string_view b) const {
  const std::size_t common = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t k = 0; k < common; ++k) {
    const unsigned char left = Upper(a[k]);
    const unsigned char right = Upper(b[k]);
    if (left != right) {
      return left < right ? -1 : 1;
    }
  }
  if (a.size() == b.size()) {
    return 0;
  }
  return a.size() < b.size() ? -1 : 1;
}

int Cp1252Locale::CompareWordSort(std::string_view a, std::string_view b) const {
  return CompareWordSort1252(a, b);
}

}  // namespace nexolant::platform
