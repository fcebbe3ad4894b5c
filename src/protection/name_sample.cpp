#include "protection/name_sample.h"

#include <string>
#include <unordered_set>
#include <vector>

#include "platform/ascii.h"
#include "protection/protected_keys.h"
#include "protection/protected_names.h"
#include "reference/signature_list.h"
#include "reference/wildcard_match.h"

namespace nexolant::protection {
namespace {

struct Sample {
  std::vector<std::string_view> names;
  std::size_t protectedCount = 0;
  std::unordered_set<std::string> held;  // the names upper-cased

  // Adds a name unless the sample holds it already in some letter case.
  void Add(std::string_view name) {
    if (held.insert(platform::AsciiUpperCase(name)).second) {
      names.push_back(name);
    }
  }

  void AddAll(std::span<const std::string_view> table) {
    for (const std::string_view name : table) {
      Add(name);
    }
  }

  // Every name along each path; a name with a wildcard stands for many and is left out.
  void AddPathNames(std::span<const std::string_view> paths) {
    for (std::string_view path : paths) {
      for (std::size_t end = path.find('\\');; end = path.find('\\')) {
        const std::string_view name = path.substr(0, end);
        if (name.find('?') == std::string_view::npos) {
          Add(name);
        }
        if (end == std::string_view::npos) {
          break;
        }
        path.remove_prefix(end + 1);
      }
    }
  }
};

const Sample& FileSample() {
  static const Sample sample = [] {
    Sample built;
    built.AddAll(ProtectedProcessNames());
    built.AddAll(SystemFileNames());
    built.AddAll(WindowsOwnNames());
    built.AddAll(ProfileHiveNames());
    built.AddAll(DriveRootNames());
    built.AddAll(ProtectedFolderNames());
    built.AddAll(OwnFileNames());
    built.protectedCount = built.names.size();
    built.AddAll(OrdinaryFileNames());
    return built;
  }();
  return sample;
}

const Sample& KeySample() {
  static const Sample sample = [] {
    Sample built;
    built.Add("SOFTWARE");
    built.AddPathNames(ProtectedSoftwareKeys());
    built.AddPathNames(ProtectedClassesKeys());
    built.AddPathNames(ProtectedMachineKeys());
    built.AddPathNames(ProtectedUserKeys());
    built.AddPathNames(OwnSoftwareKeys());
    built.protectedCount = built.names.size();
    built.AddAll(OrdinaryKeyNames());
    return built;
  }();
  return sample;
}

const Sample& SampleOf(PatternKind kind) {
  return kind == PatternKind::kFile ? FileSample() : KeySample();
}

}  // namespace

std::span<const std::string_view> SampleNames(PatternKind kind) {
  return SampleOf(kind).names;
}

std::size_t ProtectedSampleCount(PatternKind kind) {
  return SampleOf(kind).protectedCount;
}

NameSample TooBroadSample() {
  return {SampleNames(PatternKind::kFile), SampleNames(PatternKind::kKey)};
}

std::optional<SampleMatch> FindSampleMatch(std::string_view pattern, PatternKind kind,
                                           const platform::Locale& locale) {
  const std::string upperPattern = SignatureUpperCase(pattern, locale);
  const Sample& sample = SampleOf(kind);
  for (std::size_t k = 0; k < sample.names.size(); ++k) {
    if (EvaluateWildcardMatch(SignatureUpperCase(sample.names[k], locale), upperPattern) ==
        WildcardOutcome::kMatch) {
      return SampleMatch{sample.names[k], k < sample.protectedCount};
    }
  }
  return std::nullopt;
}

std::optional<std::string> TooBroadReason(std::string_view pattern, PatternKind kind,
                                          const platform::Locale& locale) {
  if (FindMalformedStar(pattern) != std::string_view::npos) {
    return std::nullopt;
  }
  if (const std::optional<SampleMatch> match = FindSampleMatch(pattern, kind, locale)) {
    return (match->protectedName ? "matches the protected name \""
                                 : "is too broad: it matches the ordinary name \"") +
           std::string(match->name) + "\"";
  }
  if (IsBelowLiteralFloor(pattern)) {
    return "is too broad: it holds fewer than " + std::to_string(kLiteralFloor) +
           " characters other than wildcards before its extension";
  }
  return std::nullopt;
}

}  // namespace nexolant::protection
