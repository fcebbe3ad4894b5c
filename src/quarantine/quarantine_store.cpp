#include "quarantine/quarantine_store.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>

#include "platform/errors.h"
#include "quarantine/quarantine_files.h"
#include "reference/find_signature.h"
#include "reference/wildcard_match.h"

namespace nexolant {
namespace {

// A default no stored value can equal: values never hold a line break.
constexpr std::string_view kNoEntry = "\n";

}  // namespace

QuarantineStore::QuarantineStore(IniServices ini, std::string programFolder,
                                 UsageStatistics& statistics, const SignatureSource& signatures)
    : ini_(ini),
      programFolder_(std::move(programFolder)),
      statistics_(statistics),
      signatures_(signatures) {}

std::string QuarantineStore::IndexPath() const {
  return programFolder_ + kQuarantineIndexName;
}

std::string QuarantineStore::FolderPath() const {
  return programFolder_ + kQuarantineFolderName;
}

std::string QuarantineStore::QuarantinedPath(const std::string& name) const {
  return PathInFolder(FolderPath(), name);
}

// The description of the file signature the name matches; a name that matches none, or meets
// a malformed pattern first, has none.
std::string QuarantineStore::Description(const std::string& name) const {
  const SignatureTables& tables = signatures_.Tables();
  try {
    const int index = FindSignature(name, tables.ScanFileNames, ini_.pump);
    if (index >= 0) {
      return tables.ScanFileDescriptions.at(index);
    }
  } catch (const InvalidMask&) {
  }
  return "Unavailable";
}

void QuarantineStore::Insert(QuarantineEntry entry) {
  const platform::Locale& locale = ini_.locale;
  const auto place =
      std::upper_bound(entries_.begin(), entries_.end(), entry.name,
                       [&locale](const std::string& name, const QuarantineEntry& listed) {
                         return locale.CompareWordSort(name, listed.name) < 0;
                       });
  const int index = static_cast<int>(place - entries_.begin());
  entries_.insert(place, std::move(entry));
  if (OnAdded) {
    OnAdded(index);
  }
}

void QuarantineStore::Remove(int index) {
  entries_.erase(entries_.begin() + index);
  if (OnRemoved) {
    OnRemoved(index);
  }
}

void QuarantineStore::Rebuild() {
  TBigIniFile index(ini_, IndexPath());
  StringList keys;
  index.ReadSection(kFilesSection, keys);
  for (const std::string& key : keys) {
    if (IsPlainFileName(key)) {
      Insert({key, Description(key), index.ReadString(kFilesSection, key, "Unknown")});
    }
  }
}

void QuarantineStore::BeginIntake() {
  intake_ = std::make_unique<TBigIniFile>(ini_, IndexPath());
  intakeFailed_ = false;
}

void QuarantineStore::EndIntake() {
  intake_.reset();
}

// Once the index could not be written, no further file is moved during this repair: it would
// have no entry on the disk.
IntakeResult QuarantineStore::TakeIn(const std::string& name, const std::string& folder,
                                     const std::string& description) {
  if (intakeFailed_ || !IsPlainFileName(name) ||
      !TBigIniFile::Storable(kFilesSection, name, folder)) {
    return {};
  }
  platform::FileSystem& files = ini_.files;
  const std::string target = QuarantinedPath(name);
  if (intake_->ReadString(kFilesSection, name, kNoEntry) != kNoEntry ||
      files.FileAttributes(target)) {
    return {.errorCode = platform::kErrorAlreadyExists};
  }
  if (!files.FolderExists(FolderPath())) {
    files.CreateFolder(FolderPath());
  }
  intake_->WriteString(kFilesSection, name, folder);
  intake_->Flush();
  if (intake_->Changed()) {
    intake_->DeleteKey(kFilesSection, name);
    intakeFailed_ = true;
    return {};
  }
  if (const platform::Outcome moved = files.Move(PathInFolder(folder, name), target); !moved) {
    intake_->DeleteKey(kFilesSection, name);
    intake_->Flush();
    return {.errorCode = moved.error};
  }
  Insert({name, description, folder});
  return {.quarantined = true};
}

// Only an absolute origin is a place to move back to; anything else (the "Unknown" of an
// entry without value included) fails like a missing folder.
bool QuarantineStore::Restore(int index) {
  const QuarantineEntry entry = entries_.at(index);
  if (!IsAbsolutePath(entry.origin) ||
      !ini_.files.Move(QuarantinedPath(entry.name), PathInFolder(entry.origin, entry.name))) {
    return false;
  }
  Remove(index);
  ForgetEntries({entry.name});
  if (entries_.empty()) {
    Emptied();
  }
  return true;
}

// The user confirmed, so read-only files go too.
int QuarantineStore::Empty() {
  StringList deleted;
  for (int index = Count() - 1; index >= 0; --index) {
    const std::string name = entries_[index].name;
    if (DeleteQuarantined(name)) {
      deleted.push_back(name);
      Remove(index);
    }
  }
  ForgetEntries(deleted);
  if (entries_.empty()) {
    Emptied();
  } else {
    statistics_.SetQuarantined(Count());
  }
  return Count();
}

bool QuarantineStore::DeleteQuarantined(const std::string& name) {
  platform::FileSystem& files = ini_.files;
  const std::string path = QuarantinedPath(name);
  const std::optional<std::uint32_t> attributes = files.FileAttributes(path);
  if (!attributes) {
    return true;
  }
  if ((*attributes & platform::kAttributeDirectory) != 0) {
    return false;
  }
  if ((*attributes & platform::kAttributeReadOnly) != 0) {
    const std::uint32_t writable = *attributes & ~platform::kAttributeReadOnly;
    files.ChangeAttributes(path, writable != 0 ? writable : platform::kAttributeNormal);
  }
  return static_cast<bool>(files.RemoveFile(path));
}

void QuarantineStore::ForgetEntries(const StringList& names) {
  if (names.empty()) {
    return;
  }
  bool emptied = false;
  {
    TBigIniFile index(ini_, IndexPath());
    StringList keys;
    index.ReadSection(kFilesSection, keys);
    for (const std::string& name : names) {
      const auto key = std::find_if(keys.begin(), keys.end(), [&](const std::string& key) {
        return ini_.locale.SameText(key, name);
      });
      if (key != keys.end()) {
        keys.erase(key);
      }
    }
    emptied = keys.empty();
    if (!emptied) {
      for (const std::string& name : names) {
        index.DeleteKey(kFilesSection, name);
      }
    }
  }
  if (emptied) {
    ini_.files.RemoveFile(IndexPath());
  }
}

// Another file in the folder keeps it; that is no failure.
void QuarantineStore::Emptied() {
  ini_.files.RemoveFolder(FolderPath());
  statistics_.ClearQuarantined();
}

}  // namespace nexolant
