#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/registry.h"

namespace nexolant {

// The text of a REG_SZ or REG_EXPAND_SZ value as stored (UTF-16LE), up to its first zero; none
// for a value of another type or of an odd number of bytes.
std::optional<platform::WideString> StringValueText(std::uint32_t type, const std::string& bytes);

}  // namespace nexolant
