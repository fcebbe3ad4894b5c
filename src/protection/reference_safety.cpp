#include "protection/reference_safety.h"

#include <algorithm>
#include <cstdint>

#include "protection/name_sample.h"
#include "reference/wildcard_match.h"

namespace nexolant::protection {
namespace {

struct Section {
  const char* name;
  const SignatureList& list;
  std::size_t end;  // the section's patterns are the list's first `end`
  PatternKind kind;
};

// The lowest index below end whose pattern matches a sample name.
std::optional<std::uint32_t> FirstTooBroad(const Section& section) {
  std::optional<std::uint32_t> first;
  for (const std::string_view name : SampleNames(section.kind)) {
    for (const std::uint32_t index : section.list.Matches(name)) {
      if (index < section.end && (!first || index < *first)) {
        first = index;
      }
    }
  }
  for (std::uint32_t index = 0; index < section.end && (!first || index < *first); ++index) {
    if (IsBelowLiteralFloor(section.list[index]) &&
        FindMalformedStar(section.list[index]) == std::string_view::npos) {
      first = index;
    }
  }
  return first;
}

}  // namespace

std::optional<std::string> ReferenceHazard(const SignatureTables& tables,
                                           const platform::Locale& locale) {
  // The process names are those of [OtherKill] followed by those of [ScanFiles].
  const std::size_t otherKill = tables.ProcessNames.size() -
                                std::min(tables.ProcessNames.size(), tables.ScanFileNames.size());
  const Section sections[] = {
      {"ScanFiles", tables.ScanFileNames, tables.ScanFileNames.size(), PatternKind::kFile},
      {"OtherKill", tables.ProcessNames, otherKill, PatternKind::kFile},
      {"Registry", tables.RegistryNames, tables.RegistryNames.size(), PatternKind::kKey},
  };
  for (const Section& section : sections) {
    const std::optional<std::uint32_t> index = FirstTooBroad(section);
    if (!index) {
      continue;
    }
    const std::string& pattern = section.list[*index];
    std::string reason = "Pattern \"";
    reason.append(pattern).append("\" of [").append(section.name).append("] ");
    return reason.append(TooBroadReason(pattern, section.kind, locale).value_or("is too broad"))
        .append(".");
  }
  return std::nullopt;
}

std::optional<std::string> ReferenceFileHazard(const ReferenceServices& services,
                                               const platform::Path& path) {
  SignatureTables tables;
  StringList details;
  if (LoadReferenceFile(services, path, tables, details) != ReferenceOutcome::kLoaded) {
    return std::nullopt;
  }
  return ReferenceHazard(tables, services.locale);
}

}  // namespace nexolant::protection
