#pragma once

#include <cstdint>

namespace nexolant::platform {

// A date-time as days since 1899-12-30, the fraction being the time of day.
using DateTime = double;

// The date-time of midnight starting a civil date (proleptic Gregorian calendar).
constexpr DateTime DateOf(int year, int month, int day) {
  // Days from 0000-03-01, January and February counted at the end of the year before.
  const auto daysFromCivil = [](long y, long m, long d) {
    y -= m <= 2 ? 1 : 0;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yearOfEra = y - era * 400;
    const long dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra;
  };
  return static_cast<DateTime>(daysFromCivil(year, month, day) - daysFromCivil(1899, 12, 30));
}

class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTime Now() = 0;  // current local date and time
  // Suspends the program for about that long; nothing is dispatched meanwhile.
  virtual void Sleep(std::uint32_t milliseconds) = 0;
};

}  // namespace nexolant::platform
