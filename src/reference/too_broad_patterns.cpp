#include "reference/too_broad_patterns.h"

#include <algorithm>

#include "reference/wildcard_match.h"

namespace nexolant {
namespace {

void MarkMatching(SignatureList& list, std::span<const std::string_view> names) {
  for (const std::string_view name : names) {
    for (const std::uint32_t index : list.Matches(name)) {
      list.MarkInert(index);
    }
  }
  for (std::size_t index = 0; index < list.size(); ++index) {
    if (IsBelowLiteralFloor(list[index]) &&
        FindMalformedStar(list[index]) == std::string_view::npos) {
      list.MarkInert(index);
    }
  }
}

}  // namespace

bool IsBelowLiteralFloor(std::string_view pattern) {
  const auto wildcard = [](char c) { return c == '*' || c == '?'; };
  if (std::none_of(pattern.begin(), pattern.end(), wildcard)) {
    return false;
  }
  const std::string_view stem = pattern.substr(0, std::min(pattern.rfind('.'), pattern.size()));
  const auto literals = static_cast<std::size_t>(
      std::count_if(stem.begin(), stem.end(), [&wildcard](char c) { return !wildcard(c); }));
  return literals < kLiteralFloor;
}

void MarkTooBroadPatterns(SignatureTables& tables, const NameSample& sample) {
  MarkMatching(tables.ScanFileNames, sample.files);
  MarkMatching(tables.ProcessNames, sample.files);
  MarkMatching(tables.RegistryNames, sample.keys);
}

}  // namespace nexolant
