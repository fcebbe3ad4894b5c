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

// Marks inert, in each names list of tables, every pattern that matches a name of its sample.
// A malformed pattern matches nothing and stays as it is.
void MarkTooBroadPatterns(SignatureTables& tables, const NameSample& sample);

}  // namespace nexolant
