#pragma once

#include <cstdint>
#include <string>

#include "reference/reference_loader.h"

namespace nexolant {

// The largest reference file taken from outside: the cipher holds the whole file in memory,
// twice, which matters to the 32-bit program.
inline constexpr std::uint64_t kMaxReferenceFileSize = std::uint64_t{16} << 20;

// Whether the file at path can take the place of Reference.dat: no larger than
// kMaxReferenceFileSize, read by the start-up loader into at least one signature, and without
// a pattern that every lookup reaching it would reject as "Invalid mask". Failures of the
// file system propagate.
bool IsUsableReferenceFile(const ReferenceServices& services, const platform::Path& path);

}  // namespace nexolant
