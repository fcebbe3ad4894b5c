#include "update/installed_versions.h"

#include <algorithm>
#include <string_view>

namespace nexolant {
namespace {

constexpr std::size_t kMaxRecordSize = 1024;
constexpr std::string_view kUnknown = "unknown";

std::string VersionText(const std::optional<ReferenceVersion>& version) {
  return version ? std::to_string(version->number) + " " + FormatCalendarDate(version->date)
                 : std::string(kUnknown);
}

// "12 2025-03-01" or "unknown"; false for anything else.
bool ReadVersion(std::string_view text, std::optional<ReferenceVersion>& version) {
  if (text == kUnknown) {
    version.reset();
    return true;
  }
  const std::size_t space = text.find(' ');
  if (space == std::string_view::npos) {
    return false;
  }
  const ParsedNumber number = ParseVersionNumber(text.substr(0, space));
  const ParsedDate date = ParseCalendarDate(text.substr(space + 1));
  if (number.problem != VersionTextProblem::kNone || date.problem != VersionTextProblem::kNone) {
    return false;
  }
  version = ReferenceVersion{.number = number.number, .date = date.date};
  return true;
}

}  // namespace

std::string InstalledVersionsText(const InstalledVersions& versions) {
  std::string text = "installed=" + VersionText(versions.installed) + "\r\n";
  if (versions.previousKept) {
    text += "previous=" + VersionText(versions.previous) + "\r\n";
  }
  return text + "highest=" + std::to_string(versions.highest) + "\r\n";
}

std::optional<InstalledVersions> ParseInstalledVersions(std::string_view text) {
  InstalledVersions versions;
  bool installed = false;
  bool highest = false;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    const std::size_t equals = line.find('=');
    const std::string_view key = line.substr(0, equals);
    const std::string_view value =
        equals == std::string_view::npos ? std::string_view() : line.substr(equals + 1);
    if (key == "installed") {
      installed = ReadVersion(value, versions.installed);
      if (!installed) {
        return std::nullopt;
      }
    } else if (key == "previous") {
      versions.previousKept = ReadVersion(value, versions.previous);
      if (!versions.previousKept) {
        return std::nullopt;
      }
    } else if (key == "highest") {
      const ParsedNumber number = ParseVersionNumber(value);
      highest = number.problem == VersionTextProblem::kNone;
      versions.highest = number.number;
      if (!highest) {
        return std::nullopt;
      }
    } else if (!line.empty()) {
      return std::nullopt;
    }
  }
  if (!installed || !highest) {
    return std::nullopt;
  }
  return versions;
}

InstalledVersions ReadInstalledVersions(platform::FileSystem& files,
                                        const platform::Path& programFolder,
                                        const ReferenceVersion& shipped) {
  const InstalledVersions asShipped{.installed = shipped, .highest = shipped.number};
  const platform::Path path = programFolder + kInstalledRecordName;
  std::optional<InstalledVersions> versions;
  try {
    if (files.FileExists(path)) {
      const std::string text = files.ReadWholeFile(path);
      versions = text.size() <= kMaxRecordSize ? ParseInstalledVersions(text) : std::nullopt;
    }
  } catch (const platform::IoError&) {
    // A record that cannot be read counts as missing: the floor falls to the shipped version.
  }
  if (!versions) {
    return asShipped;
  }
  // The floor never lies below the version this build shipped with.
  versions->highest = std::max(versions->highest, shipped.number);
  versions->previousKept =
      versions->previousKept && files.FileExists(programFolder + kPreviousReferenceName);
  if (!versions->previousKept) {
    versions->previous.reset();
  }
  return *versions;
}

void WriteInstalledVersions(platform::FileSystem& files, const platform::Path& programFolder,
                            const InstalledVersions& versions) {
  files.ReplaceWholeFile(programFolder + kInstalledRecordName, InstalledVersionsText(versions));
}

}  // namespace nexolant
