#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/clock.h"

namespace nexolant {

// The highest version a reference file can carry: versions are positive 32-bit numbers.
inline constexpr std::int32_t kMaxReferenceVersion = 2147483647;

// The span of dates a reference file's version may bear. A later date is taken for a mistake
// of its maker, a year typed wrong: the date is never compared with the clock, so a machine
// whose clock is wrong neither refuses a good file nor takes a bad one because of it.
inline constexpr int kFirstReferenceYear = 2000;
inline constexpr int kLastReferenceYear = 2099;

// A calendar day, as a reference file's version is dated.
struct CalendarDate {
  int year = 0;
  int month = 0;
  int day = 0;
  bool operator==(const CalendarDate&) const = default;

  platform::DateTime ToDateTime() const { return platform::DateOf(year, month, day); }
};

// One version of the reference file: its number, which only ever grows, and its date.
struct ReferenceVersion {
  std::int32_t number = 0;
  CalendarDate date{};
  bool operator==(const ReferenceVersion&) const = default;
};

// How the text of a version number or a date can be wrong.
enum class VersionTextProblem {
  kNone,
  kNotANumber,  // no digits, other characters, a leading zero, or 0
  kTooLarge,    // digits only, but above kMaxReferenceVersion
  kNotADate,    // not YYYY-MM-DD of a real day, or before kFirstReferenceYear
  kFutureDate,  // a real day after kLastReferenceYear
};

// A version number written as decimal digits without sign or leading zero, 1 to
// kMaxReferenceVersion; the problem when it is not one.
struct ParsedNumber {
  std::int32_t number = 0;
  VersionTextProblem problem = VersionTextProblem::kNone;
};
ParsedNumber ParseVersionNumber(std::string_view text);

// A date written YYYY-MM-DD; the problem when it is no real day in the span above.
struct ParsedDate {
  CalendarDate date{};
  VersionTextProblem problem = VersionTextProblem::kNone;
};
ParsedDate ParseCalendarDate(std::string_view text);

// The date as YYYY-MM-DD.
std::string FormatCalendarDate(const CalendarDate& date);

}  // namespace nexolant
