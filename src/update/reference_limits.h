#pragma once

#include <cstddef>
#include <string_view>

namespace nexolant {

// The most a reference file taken from outside may hold, far above any real one: the start-up
// reads every section and entry into memory, so a file of 16 MiB could otherwise cost
// gigabytes and minutes at every start.
inline constexpr std::size_t kMaxReferenceSections = 64;
inline constexpr std::size_t kMaxReferenceSectionEntries = 200'000;

// Whether the enciphered reference file contents has at most kMaxReferenceSections section
// headers and at most kMaxReferenceSectionEntries entries under each, counted as the INI
// engine reads the deciphered text (a repeated section counts again, as the engine reads it).
bool IsWithinReferenceLimits(std::string_view contents);

}  // namespace nexolant
