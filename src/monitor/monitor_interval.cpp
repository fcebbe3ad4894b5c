#include "monitor/monitor_interval.h"

#include <array>

namespace nexolant {
namespace {

constexpr std::array<unsigned, 9> kIntervals = {
    3600000,  // Each 60 minutes
    1800000,  // Each 30 minutes
    900000,   // Each 15 minutes
    600000,   // Each 10 minutes
    300000,   // Each 5 minutes
    180000,   // Each 3 minutes
    60000,    // Each 1 minute
    30000,    // Each 30 seconds
    10000,    // Each 10 seconds
};
static_assert(kDefaultIntervalItem == kIntervals.size() - 1);

}  // namespace

std::optional<unsigned> MonitorIntervalOfItem(int index) {
  if (index < 0 || index >= static_cast<int>(kIntervals.size())) {
    return std::nullopt;
  }
  return kIntervals[index];
}

}  // namespace nexolant
