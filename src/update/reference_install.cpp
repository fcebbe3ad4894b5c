#include "update/reference_install.h"

#include <algorithm>
#include <string>

namespace nexolant {

void InstallReference(platform::FileSystem& files, const platform::Path& programFolder,
                      std::string_view contents, const std::optional<ReferenceVersion>& version,
                      const InstalledVersions& before) {
  const platform::Path reference = programFolder + "Reference.dat";
  InstalledVersions after = before;
  if (before.previousKept) {
    // Reference.old is about to change: until the new record is written, none is kept.
    after.previousKept = false;
    after.previous.reset();
    WriteInstalledVersions(files, programFolder, after);
  }
  const platform::Path kept = programFolder + kPreviousReferenceName;
  if (files.FileExists(reference)) {
    files.ReplaceWholeFile(kept, files.ReadWholeFile(reference));
    after.previousKept = true;
    after.previous = before.installed;
  }
  try {
    files.ReplaceWholeFile(reference, contents);
  } catch (const platform::IoError&) {
    // No record names the copy just made: it goes, and one that stays is never offered.
    if (after.previousKept) {
      platform::BestEffort(files.RemoveFile(kept));
    }
    throw;
  }
  after.installed = version;
  after.highest = std::max(before.highest, version ? version->number : 0);
  try {
    WriteInstalledVersions(files, programFolder, after);
  } catch (const platform::IoError&) {
    // The new file is in place and counts; the older record stays, as a stop here leaves it.
  }
}

bool UndoLastUpdate(platform::FileSystem& files, const platform::Path& programFolder,
                    const InstalledVersions& before) {
  if (!before.previousKept) {
    return false;
  }
  const platform::Path kept = programFolder + kPreviousReferenceName;
  try {
    files.ReplaceWholeFile(programFolder + "Reference.dat", files.ReadWholeFile(kept));
  } catch (const platform::IoError&) {
    return false;
  }
  InstalledVersions after = before;
  after.installed = before.previous;
  after.previousKept = false;
  after.previous.reset();
  try {
    WriteInstalledVersions(files, programFolder, after);
  } catch (const platform::IoError&) {
    // The older file is back and counts; the record still names the file it replaced and
    // keeps offering the undo, which would put the same bytes back again.
    return true;
  }
  // Without a record naming it, the kept file is no longer offered; one that stays is
  // replaced by the next update.
  platform::BestEffort(files.RemoveFile(kept));
  return true;
}

}  // namespace nexolant
