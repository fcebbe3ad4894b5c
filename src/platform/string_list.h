#pragma once

#include <string>
#include <vector>

namespace nexolant {

// An ordered list of byte strings in the system's ANSI code page.
using StringList = std::vector<std::string>;

}  // namespace nexolant
