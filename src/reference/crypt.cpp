#include "reference/crypt.h"

namespace nexolant {
namespace {

// The three values every shipped reference file is enciphered with; the reference tool and
// the program both take them from here.
constexpr ReferenceKey kShippedKey{.multiplier = 0x9E37, .addend = 0x3C6B, .start = 0xA1D7};

enum class Feed { kInput, kOutput };

bool Transform(const std::uint8_t* source, std::size_t sourceLength, std::uint8_t* destination,
               std::size_t destinationLength, ReferenceKey key, Feed feed) {
  if (sourceLength != destinationLength) {
    return false;
  }
  std::uint16_t running = key.start;
  for (std::size_t k = 0; k < sourceLength; ++k) {
    const std::uint8_t in = source[k];
    const std::uint8_t out = static_cast<std::uint8_t>(in ^ (running >> 8));
    destination[k] = out;
    const std::uint8_t fed = feed == Feed::kInput ? in : out;
    const std::uint8_t sum = static_cast<std::uint8_t>(fed + (running & 0xFF));
    running = static_cast<std::uint16_t>(sum * key.multiplier + key.addend);
  }
  return true;
}

}  // namespace

ReferenceKey ShippedReferenceKey() {
  return kShippedKey;
}

bool EncipherBytes(const std::uint8_t* source, std::size_t sourceLength, std::uint8_t* destination,
                   std::size_t destinationLength, ReferenceKey key) {
  return Transform(source, sourceLength, destination, destinationLength, key, Feed::kInput);
}

bool DecipherBytes(const std::uint8_t* source, std::size_t sourceLength, std::uint8_t* destination,
                   std::size_t destinationLength, ReferenceKey key) {
  return Transform(source, sourceLength, destination, destinationLength, key, Feed::kOutput);
}

std::string DecipherReferenceText(std::string_view cipher) {
  std::string plain(cipher.size(), '\0');
  DecipherBytes(reinterpret_cast<const std::uint8_t*>(cipher.data()), cipher.size(),
                reinterpret_cast<std::uint8_t*>(plain.data()), plain.size(), ShippedReferenceKey());
  return plain;
}

}  // namespace nexolant
