#include "win32/win32_clock.h"

#include <windows.h>

namespace nexolant::win32 {

namespace {

// Days from 1899-12-30 to the given civil date (proleptic Gregorian).
long DaysSince1899(int year, int month, int day) {
  // Days from 0000-03-01, shifting January and February to the end of the previous year.
  auto daysFromCivil = [](long y, long m, long d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yearOfEra = y - era * 400;
    const long dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra;
  };
  return daysFromCivil(year, month, day) - daysFromCivil(1899, 12, 30);
}

}  // namespace

platform::DateTime Win32Clock::Now() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  const double seconds =
      now.wHour * 3600.0 + now.wMinute * 60.0 + now.wSecond + now.wMilliseconds / 1000.0;
  return DaysSince1899(now.wYear, now.wMonth, now.wDay) + seconds / 86400.0;
}

void Win32Clock::Sleep(std::uint32_t milliseconds) {
  ::Sleep(milliseconds);
}

}  // namespace nexolant::win32
