#include "win32/win32_clock.h"

#include <windows.h>

namespace nexolant::win32 {

platform::DateTime Win32Clock::Now() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  const double seconds =
      now.wHour * 3600.0 + now.wMinute * 60.0 + now.wSecond + now.wMilliseconds / 1000.0;
  return platform::DateOf(now.wYear, now.wMonth, now.wDay) + seconds / 86400.0;
}

void Win32Clock::Sleep(std::uint32_t milliseconds) {
  ::Sleep(milliseconds);
}

}  // namespace nexolant::win32
