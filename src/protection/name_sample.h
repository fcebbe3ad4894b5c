#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/locale.h"
#include "reference/too_broad_patterns.h"

namespace nexolant::protection {

// Which names a pattern is compared with: those of files and processes, or those of keys.
enum class PatternKind { kFile, kKey };

// The fixed sample that tells a too-broad pattern: every protected name of its kind, then the
// ordinary names every user has. A pattern that matches any of them would find what every
// machine holds, so it never finds anything and no new reference file may hold one.
std::span<const std::string_view> SampleNames(PatternKind kind);

// How many of SampleNames(kind), from the first, are protected names.
std::size_t ProtectedSampleCount(PatternKind kind);

// The sample in the form the reference loader marks patterns with.
NameSample TooBroadSample();

struct SampleMatch {
  std::string_view name;  // as the table spells it
  bool protectedName;     // a protected name, not an ordinary one
};

// The first sample name that pattern matches, compared as a look-up compares them; none for a
// narrow pattern and for a malformed one, which stays malformed.
std::optional<SampleMatch> FindSampleMatch(std::string_view pattern, PatternKind kind,
                                           const platform::Locale& locale);

// Why pattern is too broad ("matches the protected name "X"", "is too broad: ..."), as the
// update and the reference checker say it; none for a narrow pattern and a malformed one.
std::optional<std::string> TooBroadReason(std::string_view pattern, PatternKind kind,
                                          const platform::Locale& locale);

}  // namespace nexolant::protection
