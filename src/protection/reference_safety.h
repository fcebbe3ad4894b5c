#pragma once

#include <optional>
#include <string>

#include "platform/locale.h"
#include "reference/reference_loader.h"
#include "reference/signature_tables.h"

namespace nexolant::protection {

// Why a reference file may not take the place of Reference.dat: its first pattern, in the
// order [ScanFiles], [OtherKill], [Registry], that matches a protected name or is too broad
// (it matches an ordinary name of the sample); none when every pattern is narrow.
std::optional<std::string> ReferenceHazard(const SignatureTables& tables,
                                           const platform::Locale& locale);

// ReferenceHazard of the reference file at path, loaded as the program loads it. A file that
// does not load holds no pattern and so no hazard; whether it is usable at all is
// IsUsableReferenceFile's question. Errors of the file system propagate.
std::optional<std::string> ReferenceFileHazard(const ReferenceServices& services,
                                               const platform::Path& path);

}  // namespace nexolant::protection
