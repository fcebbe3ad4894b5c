#pragma once

#include <string_view>

namespace nexolant {

// The public key (PEM) named by the build's NEXOLANT_UPDATE_KEY, with which a new reference
// file's signature must verify; empty when the build names none and updates are not
// authenticated.
std::string_view BuiltInUpdateKey();

}  // namespace nexolant
