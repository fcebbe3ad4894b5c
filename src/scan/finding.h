#pragma once

#include <cstdint>
#include <string>

#include "startup/startup_entry.h"

namespace nexolant {

// One row of the Report list: the object's name, where it was found ("Memory", a folder path
// without its final backslash, or a hive name with the path of the key that holds the
// subkey) and the description of the signature it matched.
struct ReportRow {
  std::string Caption;
  std::string Location;
  std::string Description;
};

inline constexpr const char* kMemoryLocation = "Memory";

// The kinds of object a scan finds. A startup entry counts as a file or a registry key, as its
// own kind says.
enum class RowKind { kProcess, kFile, kRegistryKey, kStartupEntry };

// The exact spelling (UTF-8) of a found file's folder and name, for a file whose ANSI path
// does not spell it (the Report shows that ANSI text, with "?"); empty for every other object.
struct ExactFilePath {
  std::string folder;  // without a final backslash, as a Report location
  std::string name;

  bool Empty() const { return name.empty(); }
};

// One object a scan found: what the Report page shows and what Repair acts on.
struct Finding {
  RowKind kind = RowKind::kFile;
  ReportRow row{};
  ExactFilePath exact{};
  // A process row's process and the full path of its image as the scan read it (empty when
  // it could not be read): Repair ends that process only while it still runs that image.
  std::int32_t processId = -1;
  std::string imagePath{};
  // A startup entry's kind and place; a file in a Startup folder has its path in `exact` too.
  StartupEntry entry{};
  // Repair acts on ticked rows only; every row starts ticked.
  bool ticked = true;
};

// The counter a finding advances: its own kind's, or for a startup entry the one its kind fits.
inline RowKind CountedAs(const Finding& finding) {
  if (finding.kind != RowKind::kStartupEntry) {
    return finding.kind;
  }
  return finding.entry.CountsAsFile() ? RowKind::kFile : RowKind::kRegistryKey;
}

}  // namespace nexolant
