#include "update/update_acceptance.h"

#include "platform/portable/idle_pump.h"
#include "protection/reference_safety.h"
#include "reference/reference_check.h"
#include "update/reference_limits.h"

namespace nexolant {
namespace {

bool IsAuthentic(const ReferenceUpdateServices& services, std::string_view contents,
                 const std::optional<std::string>& signature) {
  if (services.updateKey.empty()) {
    return true;
  }
  return signature && services.verifier.Verify(services.updateKey, contents, *signature);
}

}  // namespace

bool IsAcceptableUpdate(const ReferenceUpdateServices& services, const platform::Path& path,
                        std::string_view contents, const std::optional<std::string>& signature) {
  platform::IdlePump pump;
  const ReferenceServices reference{.files = services.files,
                                    .clock = services.clock,
                                    .locale = services.locale,
                                    .pump = pump,
                                    .warnings = services.warnings};
  return IsAuthentic(services, contents, signature) && IsWithinReferenceLimits(contents) &&
         IsUsableReferenceFile(reference, path) &&
         !protection::ReferenceFileHazard(reference, path);
}

}  // namespace nexolant
