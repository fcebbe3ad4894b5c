#include "reference/reference_version.h"

#include <algorithm>
#include <cstdio>

namespace nexolant {
namespace {

bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The value of a run of at most nine digits.
int DigitsValue(std::string_view digits) {
  int value = 0;
  for (const char c : digits) {
    value = value * 10 + (c - '0');
  }
  return value;
}

int DaysInMonth(int year, int month) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

}  // namespace

ParsedNumber ParseVersionNumber(std::string_view text) {
  if (!AllDigits(text) || text[0] == '0') {
    return {.problem = VersionTextProblem::kNotANumber};
  }
  std::int64_t value = 0;
  for (const char c : text) {
    value = value * 10 + (c - '0');
    if (value > kMaxReferenceVersion) {
      return {.problem = VersionTextProblem::kTooLarge};
    }
  }
  return {.number = static_cast<std::int32_t>(value)};
}

ParsedDate ParseCalendarDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !AllDigits(text.substr(0, 4)) ||
      !AllDigits(text.substr(5, 2)) || !AllDigits(text.substr(8, 2))) {
    return {.problem = VersionTextProblem::kNotADate};
  }
  const CalendarDate date{.year = DigitsValue(text.substr(0, 4)),
                          .month = DigitsValue(text.substr(5, 2)),
                          .day = DigitsValue(text.substr(8, 2))};
  if (date.year < kFirstReferenceYear || date.month < 1 || date.month > 12 || date.day < 1 ||
      date.day > DaysInMonth(date.year, date.month)) {
    return {.problem = VersionTextProblem::kNotADate};
  }
  if (date.year > kLastReferenceYear) {
    return {.problem = VersionTextProblem::kFutureDate};
  }
  return {.date = date};
}

std::string FormatCalendarDate(const CalendarDate& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
  return text;
}

}  // namespace nexolant
