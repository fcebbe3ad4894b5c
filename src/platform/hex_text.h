#pragma once

#include <string>
#include <string_view>

namespace nexolant::platform {

// Bytes as lower-case hexadecimal digits, two a byte.
std::string HexText(std::string_view bytes);

}  // namespace nexolant::platform
