#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "reference/reference_version.h"

namespace nexolant {

// The record beside Reference.dat of what the update installed, and the file the last update
// replaced, kept for "Undo last update".
inline constexpr const char* kInstalledRecordName = "Reference.ver";
inline constexpr const char* kPreviousReferenceName = "Reference.old";

// The record's content. As text, one line each, the previous line only while a file is kept:
//   installed=12 2025-03-01     ("installed=unknown" for a file taken without a version)
//   previous=11 2025-02-01      ("previous=unknown" likewise)
//   highest=12
struct InstalledVersions {
  std::optional<ReferenceVersion> installed;  // none: taken by a build without an update key
  bool previousKept = false;  // Reference.old holds the file the last update replaced
  std::optional<ReferenceVersion> previous{};  // that file's version
  std::int32_t highest = 0;  // the highest version ever accepted; only a higher one is taken

  bool operator==(const InstalledVersions&) const = default;
};

// The record in programFolder (which ends with a backslash). A record that is missing, cannot
// be read or is damaged counts as that of the shipped file: installed and highest are the
// shipped version and nothing is kept. A kept file counts only while Reference.old exists.
InstalledVersions ReadInstalledVersions(platform::FileSystem& files,
                                        const platform::Path& programFolder,
                                        const ReferenceVersion& shipped);

// Writes the record in one step (FileSystem::ReplaceWholeFile); throws IoError on failure.
void WriteInstalledVersions(platform::FileSystem& files, const platform::Path& programFolder,
                            const InstalledVersions& versions);

// The record's text, and the record of a text; none for a text that is no record.
std::string InstalledVersionsText(const InstalledVersions& versions);
std::optional<InstalledVersions> ParseInstalledVersions(std::string_view text);

}  // namespace nexolant
