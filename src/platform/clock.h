#pragma once

#include <cstdint>

namespace nexolant::platform {

// A date-time as days since 1899-12-30, the fraction being the time of day.
using DateTime = double;

class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTime Now() = 0;  // current local date and time
  // Suspends the program for about that long; nothing is dispatched meanwhile.
  virtual void Sleep(std::uint32_t milliseconds) = 0;
};

}  // namespace nexolant::platform
