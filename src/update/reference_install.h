#pragma once

#include <optional>
#include <string_view>

#include "platform/file_system.h"
#include "update/installed_versions.h"

namespace nexolant {

// Puts contents, a checked reference file of that version (none: taken without one), in the
// place of Reference.dat in programFolder, keeps the file it replaces as Reference.old, and then
// records both; the highest version only grows. Every file is written in one step, in an order
// that never lets the record pair Reference.old with another file's version, whenever the
// program is stopped. Throws IoError when Reference.dat cannot take contents: then it is as it
// was. Once it has them, a record that cannot be written leaves the older record (and so the
// older floor), as a stop at that point would.
void InstallReference(platform::FileSystem& files, const platform::Path& programFolder,
                      std::string_view contents, const std::optional<ReferenceVersion>& version,
                      const InstalledVersions& before);

// Puts Reference.old back in the place of Reference.dat, in one step, and records its version
// as installed and no file kept; the highest version stays. False, with nothing changed, when
// no file is kept or it cannot be read or put in place.
[[nodiscard]] bool UndoLastUpdate(platform::FileSystem& files, const platform::Path& programFolder,
                                  const InstalledVersions& before);

}  // namespace nexolant
