#include "platform/date_text.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace nexolant::platform {

std::string IsoDateTime(DateTime when) {
  using namespace std::chrono;
  const double wholeDays = std::floor(when);
  const year_month_day date{sys_days{1899y / December / 30} + days{static_cast<int>(wholeDays)}};
  const auto seconds = static_cast<long>(std::lround((when - wholeDays) * 86400.0)) % 86400;
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u %02ld:%02ld:%02ld",
                static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                static_cast<unsigned>(date.day()), seconds / 3600, seconds / 60 % 60, seconds % 60);
  return text;
}

}  // namespace nexolant::platform
