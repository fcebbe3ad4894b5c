#include "reference/reference_check.h"

#include <optional>

#include "reference/signature_tables.h"
#include "reference/wildcard_match.h"

namespace nexolant {
namespace {

bool HasMalformedPattern(const SignatureList& list) {
  for (const std::string& pattern : list.Patterns()) {
    if (FindMalformedStar(pattern) != std::string::npos) {
      return true;
    }
  }
  return false;
}

}  // namespace

bool IsUsableReferenceFile(const ReferenceServices& services, const platform::Path& path) {
  const std::optional<platform::FindData> found = services.files.FindFirst(path);
  if (!found || (found->attributes & platform::kAttributeDirectory) != 0 ||
      found->size > kMaxReferenceFileSize) {
    return false;
  }
  SignatureTables tables;
  StringList details;
  if (LoadReferenceFile(services, path, tables, details) != ReferenceOutcome::kLoaded) {
    return false;
  }
  // The process names hold the [ScanFiles] patterns too.
  if (tables.ProcessNames.empty() && tables.RegistryNames.empty() && tables.FileHashes.empty()) {
    return false;
  }
  return !HasMalformedPattern(tables.ProcessNames) && !HasMalformedPattern(tables.RegistryNames);
}

}  // namespace nexolant
