#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace nexolant {

// The key of the reference cipher.
struct ReferenceKey {
  std::uint16_t multiplier;
  std::uint16_t addend;
  std::uint16_t start;  // start value of the running key
};

// The key every shipped reference file is enciphered with.
ReferenceKey ShippedReferenceKey();

// Both return false and write nothing when the lengths differ.
bool EncipherBytes(const std::uint8_t* source, std::size_t sourceLength, std::uint8_t* destination,
                   std::size_t destinationLength, ReferenceKey key);
bool DecipherBytes(const std::uint8_t* source, std::size_t sourceLength, std::uint8_t* destination,
                   std::size_t destinationLength, ReferenceKey key);

}  // namespace nexolant
