#pragma once

#include <span>
#include <string_view>

#include "reference/signature_tables.h"

namespace nexolant {

// Names that no signature may match, as the protection policy gives them: a pattern that
// matches one of them would find what every machine holds, so it is too broad.
struct NameSample {
  std::span<const std::string_view> files;  // compared with [ScanFiles] and [OtherKill]
  std::span<const std::string_view> keys;   // compared with [Registry]
};

// The fewest characters other than wildcards that a pattern holds before its extension (its
// last "."; the whole pattern when it has none).
inline constexpr std::size_t kLiteralFloor = 4;

// Whether a pattern holding a wildcard has fewer than kLiteralFloor characters other than
// wildcards before its extension: whatever the sample holds, such a pattern ("j*", "*-*.dll")
// finds names of every kind. A name without wildcards is never below the floor.
bool IsBelowLiteralFloor(std::string_view pattern);

// Marks inert, in each names list of tables, every pattern that matches a name of its sample
// or lies below the floor. A malformed pattern matches nothing and stays as it is.
void MarkTooBroadPatterns(SignatureTables& tables, const NameSample& sample);

}  // namespace nexolant
