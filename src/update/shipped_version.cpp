#include "update/shipped_version.h"

namespace nexolant {

ReferenceVersion ShippedReferenceVersion() {
  // The build checks both values when it is configured.
  return {.number = NEXOLANT_REFERENCE_VERSION,
          .date = ParseCalendarDate(NEXOLANT_REFERENCE_DATE).date};
}

}  // namespace nexolant
