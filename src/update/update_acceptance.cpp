#include "update/update_acceptance.h"

#include <utility>

#include "platform/portable/idle_pump.h"
#include "protection/reference_safety.h"
#include "reference/crypt.h"
#include "reference/hash_signatures.h"
#include "reference/reference_check.h"
#include "update/reference_limits.h"
#include "update/version_check.h"

namespace nexolant {
namespace {

// The first entry of [FileHashes] that the loader would pass over for a fault, a harmless
// repeat aside.
std::optional<HashLineProblem> FirstHashFault(std::string_view contents,
                                              const platform::Locale& locale) {
  for (HashLineProblem& problem : HashSectionFaults(DecipherReferenceText(contents), locale)) {
    if (problem.fault != HashLineFault::kRepeated) {
      return std::move(problem);
    }
  }
  return std::nullopt;
}

}  // namespace

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
  if (const std::optional<HashLineProblem> fault = FirstHashFault(contents, services.locale)) {
    return {.refusal = UpdateRefusal::kMalformedHashes, .line = fault->line};
  }
  return accepted;
}

}  // namespace nexolant
