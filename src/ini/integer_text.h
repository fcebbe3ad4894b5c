#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace nexolant {

// A whole number as the program's stored files hold it: optional leading blanks, an optional
// sign, then decimal digits, or hexadecimal digits after "$", "x" or "X"; a text that starts
// with "0x" or "0X" is hexadecimal too. Nothing else may follow, and the number must fit 32-bit
// signed; none otherwise.
std::optional<std::int32_t> ParseWholeNumber(std::string_view text);

}  // namespace nexolant
