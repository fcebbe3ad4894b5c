#pragma once

#include "reference/reference_version.h"

namespace nexolant {

// The version and date of the Reference.dat this build ships (the build's
// NEXOLANT_REFERENCE_VERSION and NEXOLANT_REFERENCE_DATE): what is installed while the program
// folder has no record of an update.
ReferenceVersion ShippedReferenceVersion();

}  // namespace nexolant
