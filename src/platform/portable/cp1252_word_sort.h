#pragma once

#include <string_view>

namespace nexolant::platform {

// The system's default order for Windows-1252 text ("word sort", as lstrcmpA sorts for a
// Western locale), compared level by level: first the letters, digits and symbols alone
// (symbols before digits before letters, letters without case or accent), then the accents,
// then the case (lower before upper, so "abc" < "ABC" < "abd"), and last the hyphens,
// apostrophes and control characters, which the first three levels skip ("coop" < "co-op").
// Ligatures count as their letters ("æ" is "ae"). Negative, zero or positive.
int CompareWordSort1252(std::string_view a, std::string_view b);

}  // namespace nexolant::platform
