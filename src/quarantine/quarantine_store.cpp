#include "quarantine/quarantine_store.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/errors.h"
#include "quarantine/quarantine_files.h"
#include "quarantine/remove_tree.h"
#include "reference/find_signature.h"
#include "reference/wildcard_match.h"

namespace nexolant {

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
    const int index = FindActiveSignature(name, tables.ScanFileNames, ini_.pump);
    if (index >= 0) {
      return tables.ScanFileDescriptions.at(index);
    }
  } catch (const InvalidMask&) {
  }
  return "Unavailable";
}

// Sorting keeps entries of an equal name in the order they came: a later one goes after them.
void QuarantineStore::Sort() {
  const platform::Locale& locale = ini_.locale;
  std::stable_sort(entries_.begin(), entries_.end(),
                   [&locale](const QuarantineEntry& a, const QuarantineEntry& b) {
                     return locale.CompareWordSort(a.name, b.name) < 0;
                   });
  if (OnReset) {
    OnReset();
  }
}

void QuarantineStore::Remove(int index) {
  entries_.erase(entries_.begin() + index);
  if (OnRemoved) {
    OnRemoved(index);
  }
}

// Every key of [Files] in file order, each with the value of its key's first entry, as a read
// by key gives it.
void QuarantineStore::Rebuild() {
  TBigIniFile index(ini_, IndexPath());
  IndexSection files(ini_.locale, kFilesSection);
  files.Load(index);
  for (const IndexSection::Line& line : files.Lines()) {
    if (IsPlainFileName(line.key)) {
      entries_.push_back({line.key, Description(line.key), *files.Find(line.key)});
    }
  }
  Sort();
}

void QuarantineStore::BeginIntake() {
  intake_ = std::make_unique<TBigIniFile>(ini_, IndexPath());
  intakeFiles_ = std::make_unique<IndexSection>(ini_.locale, kFilesSection);
  intakeFiles_->Load(*intake_);
  intakeFailed_ = false;
}

void QuarantineStore::EndIntake() {
  intakeFiles_.reset();
  intake_.reset();
}

std::vector<IntakeResult> QuarantineStore::TakeIn(const std::vector<IntakeRequest>& files) {
  std::vector<IntakeResult> results(files.size());
  for (std::size_t first = 0; first < files.size(); first += kIntakeBatch) {
    TakeInBatch(files, first, std::min(files.size(), first + kIntakeBatch), results);
  }
  return results;
}

// The batch's entries reach the disk in one write before any of its files moves; the entries
// of files that did not move are taken back in a second.
void QuarantineStore::TakeInBatch(const std::vector<IntakeRequest>& files, std::size_t first,
                                  std::size_t end, std::vector<IntakeResult>& results) {
  platform::FileSystem& fileSystem = ini_.files;
  std::vector<std::size_t> batch;
  for (std::size_t k = first; k < end; ++k) {
    const IntakeRequest& file = files[k];
    if (intakeFailed_ || !IsPlainFileName(file.name) ||
        !TBigIniFile::Storable(kFilesSection, file.name, file.folder)) {
      continue;
    }
    if (intakeFiles_->Find(file.name) != nullptr ||
        fileSystem.FileAttributes(QuarantinedPath(file.name))) {
      results[k] = {.errorCode = platform::kErrorAlreadyExists};
      continue;
    }
    intakeFiles_->Add(file.name, file.folder);
    batch.push_back(k);
  }
  if (batch.empty()) {
    return;
  }
  const auto withdraw = [&](std::size_t k) { intakeFiles_->Remove(files[k].name); };
  try {
    if (!fileSystem.FolderExists(FolderPath())) {
      fileSystem.CreateFolder(FolderPath());
    }
  } catch (...) {
    std::for_each(batch.begin(), batch.end(), withdraw);
    throw;
  }
  intakeFiles_->Store(*intake_);
  intake_->Flush();
  if (intake_->Changed()) {
    std::for_each(batch.begin(), batch.end(), withdraw);
    intakeFiles_->Store(*intake_);
    intakeFailed_ = true;
    return;
  }
  bool anyStayed = false;
  bool anyMoved = false;
  for (const std::size_t k : batch) {
    const IntakeRequest& file = files[k];
    const platform::Outcome moved =
        fileSystem.Move(PathInFolder(file.folder, file.name), QuarantinedPath(file.name));
    if (moved) {
      entries_.push_back({file.name, file.description, file.folder});
      results[k] = {.quarantined = true};
      anyMoved = true;
    } else {
      withdraw(k);
      results[k] = {.errorCode = moved.error};
      anyStayed = true;
    }
  }
  if (anyStayed) {
    intakeFiles_->Store(*intake_);
    intake_->Flush();
  }
  if (anyMoved) {
    Sort();
  }
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
  std::vector<QuarantineEntry> kept;
  for (QuarantineEntry& entry : entries_) {
    if (DeleteQuarantined(entry.name)) {
      deleted.push_back(entry.name);
    } else {
      kept.push_back(std::move(entry));
    }
  }
  entries_ = std::move(kept);
  if (OnReset) {
    OnReset();
  }
  ForgetEntries(deleted);
  if (entries_.empty()) {
    Emptied();
  } else {
    statistics_.SetQuarantined(Count());
  }
  return Count();
}

// A quarantined folder goes with everything in it; a link inside it goes as itself.
bool QuarantineStore::DeleteQuarantined(const std::string& name) {
  return RemoveTree(ini_.files, QuarantinedPath(name));
}

void QuarantineStore::ForgetEntries(const StringList& names) {
  if (names.empty()) {
    return;
  }
  bool emptied = false;
  {
    TBigIniFile index(ini_, IndexPath());
    IndexSection files(ini_.locale, kFilesSection);
    files.Load(index);
    for (const std::string& name : names) {
      files.Remove(name);
    }
    emptied = files.Empty();
    if (!emptied) {
      files.Store(index);
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
