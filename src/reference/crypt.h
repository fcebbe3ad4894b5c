#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace nexolant {

// The key of the reference cipher.
struct ReferenceKey {
  std::uint16_t multiplier;
  std::uint16_t addend;
  std::uint16_t start;  // start value of the running key
};

// The key every shipped reference file is enciphered with.
ReferenceKey ShippedReferenceKey();

// A byte-stream cipher with a 16-bit running key fed by the plain text: each output byte is
// the input byte XOR the running key's upper 8 bits. EncipherBytes feeds the byte it reads,
// DecipherBytes the byte it writes. Both return false and write nothing when the lengths
// differ, and true otherwise (also for length 0).
bool EncipherBytes(const std::uint8_t* source, std::size_t sourceLength, std::uint8_t* destination,
                   std::size_t destinationLength, ReferenceKey key);
bool DecipherBytes(const std::uint8_t* source, std::size_t sourceLength, std::uint8_t* destination,
                   std::size_t destinationLength, ReferenceKey key);

// The plain text of a reference file's bytes, deciphered with the shipped key.
std::string DecipherReferenceText(std::string_view cipher);

}  // namespace nexolant
