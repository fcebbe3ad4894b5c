#pragma once

#include <optional>

namespace nexolant {

// The interval list of the Settings page offers nine items, "Each 60 minutes" at index 0 to
// "Each 10 seconds" at index 8, the default.
inline constexpr int kDefaultIntervalItem = 8;

// The monitor's timer interval in milliseconds for the item at index; none for an index
// outside the list.
std::optional<unsigned> MonitorIntervalOfItem(int index);

}  // namespace nexolant
