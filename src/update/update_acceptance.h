#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "update/reference_update.h"

namespace nexolant {

// Whether a downloaded reference file may take the place of Reference.dat; contents are its
// exact bytes, which are also on disk at path. Every check a new file must pass is made here,
// in this order: with an update key, signature (the file fetched beside it; none when it was
// not fetched) must be a signature of these bytes by that key; the file stays within the
// section and entry limits; it loads as a usable reference file; none of its patterns matches
// a protected name or is too broad (signed or not). Failures of the file system
// propagate.
bool IsAcceptableUpdate(const ReferenceUpdateServices& services, const platform::Path& path,
                        std::string_view contents, const std::optional<std::string>& signature);

}  // namespace nexolant
