#include "update/update_acceptance.h"

#include "platform/portable/idle_pump.h"
#include "protection/reference_safety.h"
#include "reference/reference_check.h"
#include "update/reference_limits.h"
#include "update/version_check.h"

namespace nexolant {

Acceptance AcceptUpdate(const ReferenceUpdateServices& services, const platform::Path& path,
                        std::string_view contents, const std::optional<std::string>& record,
                        std::int32_t highest) {
  Acceptance accepted;
  if (!services.updateKey.empty()) {
    if (!record) {
      return {.refusal = UpdateRefusal::kNoRecord};
    }
    const RecordCheck check =
        CheckVersionRecord(services.verifier, services.updateKey, *record, contents, highest);
    if (check.refusal != UpdateRefusal::kNone) {
      return {.refusal = check.refusal};
    }
    accepted.version = check.version;
  }
  platform::IdlePump pump;
  const ReferenceServices reference{.files = services.files,
                                    .clock = services.clock,
                                    .locale = services.locale,
                                    .pump = pump,
                                    .warnings = services.warnings};
  if (!IsWithinReferenceLimits(contents)) {
    return {.refusal = UpdateRefusal::kOverLimits};
  }
  if (!IsUsableReferenceFile(reference, path)) {
    return {.refusal = UpdateRefusal::kUnusable};
  }
  if (protection::ReferenceFileHazard(reference, path)) {
    return {.refusal = UpdateRefusal::kHazard};
  }
  return accepted;
}

}  // namespace nexolant
