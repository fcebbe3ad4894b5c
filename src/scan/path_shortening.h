#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace nexolant {

// A path cut to at most width characters for a one-line display: a long path shows as its
// first component, "...", a backslash and as many of its last components as fit; a path with
// too few components is cut at the end.
std::string ShortenPath(std::string_view path, std::size_t width);

}  // namespace nexolant
