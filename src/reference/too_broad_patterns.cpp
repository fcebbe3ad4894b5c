#include "reference/too_broad_patterns.h"

namespace nexolant {
namespace {

void MarkMatching(SignatureList& list, std::span<const std::string_view> names) {
  for (const std::string_view name : names) {
    for (const std::uint32_t index : list.Matches(name)) {
      list.MarkInert(index);
    }
  }
}

}  // namespace

void MarkTooBroadPatterns(SignatureTables& tables, const NameSample& sample) {
  MarkMatching(tables.ScanFileNames, sample.files);
  MarkMatching(tables.ProcessNames, sample.files);
  MarkMatching(tables.RegistryNames, sample.keys);
}

}  // namespace nexolant
