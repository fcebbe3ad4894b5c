#pragma once

#include <string>

#include "platform/clock.h"

namespace nexolant::platform {

// A local date and time as "YYYY-MM-DD HH:MM:SS", to the nearest second.
std::string IsoDateTime(DateTime when);

}  // namespace nexolant::platform
