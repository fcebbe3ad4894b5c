#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "update/reference_update.h"

namespace nexolant {

// What the checks of a downloaded reference file found.
struct Acceptance {
  UpdateRefusal refusal = UpdateRefusal::kNone;  // kNone: the file may be taken
  std::optional<ReferenceVersion> version{};     // its version; none in a build without a key
  int line = 0;  // the deciphered file's line a refusal of its content points at
};

// Whether a downloaded reference file may take the place of Reference.dat; contents are its
// exact bytes, which are also on disk at path. Every check a new file must pass is made here,
// in this order: with an update key, record (the version record fetched beside it; none when
// there was none) must be a record of these bytes signed by that key, of a version above
// highest (update/version_check.h); the file stays within the section and entry limits; it
// loads as a usable reference file; none of its patterns matches a protected name or is too
// broad (signed or not); every entry of [FileHashes] is well formed and names a file no other
// entry describes otherwise. Failures of the file system propagate.
Acceptance AcceptUpdate(const ReferenceUpdateServices& services, const platform::Path& path,
                        std::string_view contents, const std::optional<std::string>& record,
                        std::int32_t highest);

}  // namespace nexolant
