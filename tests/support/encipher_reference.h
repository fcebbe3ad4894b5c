#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "reference/crypt.h"

namespace nexolant::testing {

// Plain reference text as the shipped key enciphers it: what a Reference.dat holds.
inline std::string EncipherReference(std::string_view plain) {
  std::string cipher(plain.size(), '\0');
  EncipherBytes(reinterpret_cast<const std::uint8_t*>(plain.data()), plain.size(),
                reinterpret_cast<std::uint8_t*>(cipher.data()), cipher.size(),
                ShippedReferenceKey());
  return cipher;
}

}  // namespace nexolant::testing
