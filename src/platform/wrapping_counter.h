#pragma once

#include <cstdint>

namespace nexolant::platform {

// Adds one to a 32-bit signed count, wrapping around at its limit instead of overflowing.
constexpr std::int32_t WrappingIncrement(std::int32_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) + 1u);
}

}  // namespace nexolant::platform
