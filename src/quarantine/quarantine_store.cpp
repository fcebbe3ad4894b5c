#include "quarantine/quarantine_store.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/errors.h"
#include "platform/raise.h"
#include "quarantine/exact_entry.h"
#include "quarantine/protected_subkeys.h"
#include "quarantine/quarantine_files.h"
#include "quarantine/remove_tree.h"
#include "reference/find_signature.h"
#include "reference/wildcard_match.h"
#include "registry/key_tree_restore.h"
#include "registry/registration_file.h"
#include "registry/t_registry.h"

namespace nexolant {
namespace {

// A key's row from its full path: its own name, and its parent's path, which starts at a hive.
std::optional<QuarantineEntry> KeyEntry(const std::string& save, const std::string& path) {
  const std::size_t slash = path.rfind('\\');
  if (slash == std::string::npos || slash + 1 == path.size() || !path.starts_with("HKEY_")) {
    return std::nullopt;
  }
  return QuarantineEntry{path.substr(slash + 1), {}, path.substr(0, slash), save, {}, {}};
}

constexpr const char* kLinkedFolderWarning =
    "The Quarantine folder is a link to another place; Nexolant will not use it.";

// The saved key's full path in that form.
std::string AsciiKeyPath(const SavedKey& key) {
  std::string path = HiveName(key.root);
  for (const platform::WideString* part : {&key.parentPath, &key.tree.name}) {
    if (!part->empty()) {
      AppendAsciiKeyName(path, *part);
    }
  }
  return path;
}

// A path compared across spellings: ASCII letters folded, every run of other characters (and
// of the "?" that stands for them in ANSI) one "?". The ASCII parts, which name every hive and
// every key the policy keeps, must agree exactly.
std::string LooseKeyPath(std::string_view path) {
  std::string loose;
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80 || c == '?') {
      if (loose.empty() || loose.back() != '?') {
        loose += '?';
      }
    } else {
      loose += static_cast<char>(byte >= 'a' && byte <= 'z' ? byte - 'a' + 'A' : byte);
    }
  }
  return loose;
}

}  // namespace

QuarantineStore::QuarantineStore(QuarantineServices services) : services_(std::move(services)) {}

platform::Path QuarantineStore::IndexPath() const {
  return services_.programFolder + kQuarantineIndexName;
}

platform::Path QuarantineStore::FolderPath() const {
  return services_.programFolder + kQuarantineFolderName;
}

platform::Path QuarantineStore::QuarantinedPath(const std::string& name) const {
  return services_.ini.files.Join(FolderPath() + "\\", name);
}

std::string QuarantineStore::Description(const std::string& name) const {
  const SignatureTables& tables = services_.signatures.Tables();
  return DescriptionIn(name, tables.ScanFileNames, tables.ScanFileDescriptions);
}

std::string QuarantineStore::KeyDescription(const std::string& name) const {
  const SignatureTables& tables = services_.signatures.Tables();
  return DescriptionIn(name, tables.RegistryNames, tables.RegistryDescriptions);
}

// The description of the signature the name matches; a name that matches none, or meets a
// malformed pattern first, has none.
std::string QuarantineStore::DescriptionIn(const std::string& name, const SignatureList& names,
                                           const StringList& descriptions) const {
  try {
    const int index = FindActiveSignature(name, names, services_.ini.pump);
    if (index >= 0) {
      return descriptions.at(index);
    }
  } catch (const InvalidMask&) {
  }
  return "Unavailable";
}

// Sorting keeps entries of an equal name in the order they came: a later one goes after them.
void QuarantineStore::Sort() {
  const platform::Locale& locale = services_.ini.locale;
  std::stable_sort(entries_.begin(), entries_.end(),
                   [&locale](const QuarantineEntry& a, const QuarantineEntry& b) {
                     return locale.CompareWordSort(a.name, b.name) < 0;
                   });
  Raise(OnReset);
}

void QuarantineStore::Remove(int index) {
  entries_.erase(entries_.begin() + index);
  Raise(OnRemoved, index);
}

// Every key of [Files] in file order, each with the value of its key's first entry, as a read
// by key gives it.
void QuarantineStore::Rebuild() {
  TBigIniFile index(services_.ini, IndexPath());
  IndexSection files(services_.ini.locale, kFilesSection);
  files.Load(index);
  for (const IndexSection::Line& line : files.Lines()) {
    if (IsPlainFileName(line.key)) {
      entries_.push_back({line.key, Description(line.key), *files.Find(line.key), {}, {}, {}});
    } else if (std::optional<QuarantineEntry> entry = ExactEntry(line.key, *files.Find(line.key))) {
      entries_.push_back(std::move(*entry));
    }
  }
  IndexSection keys(services_.ini.locale, kRegistrySection);
  keys.Load(index);
  for (const IndexSection::Line& line : keys.Lines()) {
    std::optional<QuarantineEntry> entry = KeyEntry(line.key, line.value);
    if (IsPlainFileName(line.key) && entry) {
      entry->description = KeyDescription(entry->name);
      entries_.push_back(std::move(*entry));
    }
  }
  Sort();
}

// The name and origin show as the system spells them in ANSI.
std::optional<QuarantineEntry> QuarantineStore::ExactEntry(const std::string& key,
                                                           const std::string& value) {
  const std::optional<std::string> stored = StoredNameOfKey(key);
  const std::optional<std::string> path = DecodeExactPath(value);
  if (!stored || !path || !IsAbsolutePath(*path)) {
    return std::nullopt;
  }
  const std::size_t slash = path->rfind('\\');
  if (slash == std::string::npos || !IsPlainFileName(std::string_view(*path).substr(slash + 1))) {
    return std::nullopt;
  }
  platform::FileSystem& files = services_.ini.files;
  const std::string name = files.AnsiSpelling(path->substr(slash + 1));
  return QuarantineEntry{
      name, Description(name), files.AnsiSpelling(path->substr(0, slash)), {}, *path, *stored};
}

void QuarantineStore::BeginIntake() {
  intake_ = std::make_unique<TBigIniFile>(services_.ini, IndexPath());
  intakeFiles_ = std::make_unique<IndexSection>(services_.ini.locale, kFilesSection);
  intakeFiles_->Load(*intake_);
  intakeKeys_ = std::make_unique<IndexSection>(services_.ini.locale, kRegistrySection);
  intakeKeys_->Load(*intake_);
  intakeFailed_ = false;
  folderChecked_ = false;
}

// The folder is looked at when the session first takes something in, not for a repair that
// deletes.
bool QuarantineStore::IntakeRefused() {
  if (!folderChecked_) {
    folderChecked_ = true;
    intakeFailed_ = intakeFailed_ || RefusedAsLink();
  }
  return intakeFailed_;
}

bool QuarantineStore::RefusedAsLink() const {
  const std::optional<std::uint32_t> attributes = services_.ini.files.FileAttributes(FolderPath());
  if (!attributes || (*attributes & platform::kAttributeReparsePoint) == 0) {
    return false;
  }
  services_.ini.warnings.ShowWarning(kLinkedFolderWarning, "Warning");
  return true;
}

void QuarantineStore::EndIntake() {
  intakeKeys_.reset();
  intakeFiles_.reset();
  intake_.reset();
}

std::vector<IntakeResult> QuarantineStore::TakeIn(const std::vector<IntakeRequest>& files) {
  std::vector<IntakeResult> results(files.size());
  if (!files.empty() && IntakeRefused()) {
    return results;
  }
  for (std::size_t first = 0; first < files.size(); first += kIntakeBatch) {
    TakeInBatch(files, first, std::min(files.size(), first + kIntakeBatch), results);
  }
  return results;
}

// The batch's entries reach the disk in one write before any of its files moves; the entries
// of files that did not move are taken back in a second.
void QuarantineStore::TakeInBatch(const std::vector<IntakeRequest>& files, std::size_t first,
                                  std::size_t end, std::vector<IntakeResult>& results) {
  platform::FileSystem& fileSystem = services_.ini.files;
  std::vector<std::size_t> batch;
  // Each file's key in [Files], and for an exact file its plain name in the folder.
  std::vector<std::string> keys(end - first);
  std::vector<std::string> stored(end - first);
  for (std::size_t k = first; k < end; ++k) {
    const IntakeRequest& file = files[k];
    if (intakeFailed_) {
      continue;
    }
    if (!file.exactPath.empty()) {
      stored[k - first] = FreshName("File", ".dat");
      keys[k - first] = ExactEntryKey(stored[k - first]);
      const std::string value = EncodeExactPath(file.exactPath);
      if (TBigIniFile::Storable(kFilesSection, keys[k - first], value)) {
        intakeFiles_->Add(keys[k - first], value);
        batch.push_back(k);
      }
      continue;
    }
    keys[k - first] = file.name;
    if (!IsPlainFileName(file.name) ||
        !TBigIniFile::Storable(kFilesSection, file.name, file.folder)) {
      continue;
    }
    if (intakeFiles_->Find(file.name) != nullptr || intakeKeys_->Find(file.name) != nullptr ||
        fileSystem.FileAttributes(QuarantinedPath(file.name))) {
      results[k] = {.error = platform::kErrorAlreadyExists};
      continue;
    }
    intakeFiles_->Add(file.name, file.folder);
    batch.push_back(k);
  }
  if (batch.empty()) {
    return;
  }
  const auto withdraw = [&](std::size_t k) { intakeFiles_->Remove(keys[k - first]); };
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
    const std::string& storedName = stored[k - first];
    const platform::Outcome moved =
        fileSystem.Move(platform::Path(PathInFolder(file.folder, file.name), file.exactPath),
                        QuarantinedPath(file.exactPath.empty() ? file.name : storedName));
    if (moved) {
      entries_.push_back(
          {file.name, file.description, file.folder, {}, file.exactPath, storedName});
      results[k] = {.quarantined = true};
      anyMoved = true;
    } else {
      withdraw(k);
      results[k] = {.error = moved.error};
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

std::string QuarantineStore::FreshName(const char* prefix, const char* extension) {
  while (true) {
    const std::string name = prefix + std::to_string(nextSave_++) + extension;
    if (intakeFiles_->Find(name) == nullptr && intakeFiles_->Find(ExactEntryKey(name)) == nullptr &&
        intakeKeys_->Find(name) == nullptr &&
        !services_.ini.files.FileAttributes(QuarantinedPath(name))) {
      return name;
    }
  }
}

// The entry is on the disk before the save is written, so a crash between them leaves an
// entry whose save is missing (its Restore fails, Empty drops it), never a deleted key that
// nothing remembers.
bool QuarantineStore::TakeInKey(const KeyIntakeRequest& key) {
  platform::FileSystem& fileSystem = services_.ini.files;
  if (IntakeRefused() || key.bytes.size() > kLargestKeySave) {
    return false;
  }
  const std::string save = FreshName("Key", ".reg");
  const std::optional<QuarantineEntry> entry = KeyEntry(save, key.path);
  if (!entry || !TBigIniFile::Storable(kRegistrySection, save, key.path)) {
    return false;
  }
  if (!fileSystem.FolderExists(FolderPath())) {
    fileSystem.CreateFolder(FolderPath());
  }
  intakeKeys_->Add(save, key.path);
  intakeKeys_->Store(*intake_);
  intake_->Flush();
  const auto withdraw = [&] {
    intakeKeys_->Remove(save);
    intakeKeys_->Store(*intake_);
  };
  if (intake_->Changed()) {
    withdraw();
    intakeFailed_ = true;
    return false;
  }
  try {
    fileSystem.ReplaceWholeFile(QuarantinedPath(save), key.bytes);
  } catch (const platform::IoError&) {
    withdraw();
    intake_->Flush();
    return false;
  }
  entries_.push_back(*entry);
  entries_.back().description = key.description;
  Sort();
  return true;
}

// Only an absolute origin is a place to move back to; anything else (the "Unknown" of an
// entry without value included) fails like a missing folder. An exact file goes back only
// under its exact name, never onto a look-alike.
bool QuarantineStore::RestoreFile(const QuarantineEntry& entry) {
  platform::FileSystem& files = services_.ini.files;
  if (!entry.IsExact() && !IsAbsolutePath(entry.origin)) {
    return false;
  }
  const platform::Path target = entry.IsExact()
                                    ? files.FromExact(entry.exactPath)
                                    : platform::Path(PathInFolder(entry.origin, entry.name));
  return !services_.protection.IsProtectedPath(target.ansi) &&
         files.Move(QuarantinedPath(entry.Stored()), target).ok;
}

// The key comes back where the save says, which is exactly where it was; a save that cannot
// be read exactly restores nothing. The save is a file any program of the user can edit: it
// restores only the key its row names, only when no key of its tree is one the policy keeps,
// and only up to the size a save is written with. A save that cannot be deleted afterwards
// stays in the folder without its entry, so the restored key is listed nowhere as quarantined.
bool QuarantineStore::RestoreKey(const QuarantineEntry& entry) {
  const platform::Path save = QuarantinedPath(entry.save);
  const std::optional<platform::FindData> found = services_.ini.files.FindFirst(save);
  if (!found || found->size > kLargestKeySave) {
    return false;
  }
  RegistrationReadResult read;
  try {
    read = ReadRegistrationFile(services_.ini.files.ReadWholeFile(save));
  } catch (const platform::IoError&) {
    return false;
  }
  if (!read.key) {
    return false;
  }
  const std::string path = AsciiKeyPath(*read.key);
  if (LooseKeyPath(path) != LooseKeyPath(entry.origin + "\\" + entry.name) ||
      services_.protection.IsProtectedKey(path) ||
      HoldsProtectedKey(services_.protection, path, read.key->tree) ||
      RestoreKeyTree(services_.registry, read.key->root, read.key->parentPath, read.key->tree)
              .status != TreeRestoreResult::Status::kRestored) {
    return false;
  }
  // The key is back, which is what Restore promised; a save that stays is listed no more.
  platform::BestEffort(DeleteQuarantined(entry.save));
  return true;
}

bool QuarantineStore::Restore(int index) {
  const QuarantineEntry entry = entries_.at(index);
  if (RefusedAsLink() || !(entry.IsKey() ? RestoreKey(entry) : RestoreFile(entry))) {
    return false;
  }
  Remove(index);
  ForgetEntries({entry});
  if (entries_.empty()) {
    Emptied();
  }
  return true;
}

// The user confirmed, so read-only files go too.
int QuarantineStore::Empty() {
  if (RefusedAsLink()) {
    return Count();
  }
  std::vector<QuarantineEntry> deleted;
  std::vector<QuarantineEntry> kept;
  for (QuarantineEntry& entry : entries_) {
    if (DeleteQuarantined(entry.Stored())) {
      deleted.push_back(std::move(entry));
    } else {
      kept.push_back(std::move(entry));
    }
  }
  entries_ = std::move(kept);
  Raise(OnReset);
  ForgetEntries(deleted);
  if (entries_.empty()) {
    Emptied();
  } else {
    services_.statistics.SetQuarantined(Count());
  }
  return Count();
}

// A quarantined folder goes with everything in it; a link inside it goes as itself.
bool QuarantineStore::DeleteQuarantined(const std::string& name) {
  return RemoveTree(services_.ini.files, QuarantinedPath(name));
}

void QuarantineStore::ForgetEntries(const std::vector<QuarantineEntry>& entries) {
  if (entries.empty()) {
    return;
  }
  bool emptied = false;
  {
    TBigIniFile index(services_.ini, IndexPath());
    IndexSection files(services_.ini.locale, kFilesSection);
    files.Load(index);
    IndexSection keys(services_.ini.locale, kRegistrySection);
    keys.Load(index);
    for (const QuarantineEntry& entry : entries) {
      (entry.IsKey() ? keys : files)
          .Remove(entry.IsExact() ? ExactEntryKey(entry.storedName) : entry.Stored());
    }
    emptied = files.Empty() && keys.Empty();
    if (!emptied) {
      files.Store(index);
      keys.Store(index);
    }
  }
  if (emptied) {
    // An index left behind lists nothing; the next start reads it as empty.
    platform::BestEffort(services_.ini.files.RemoveFile(IndexPath()));
  }
}

// Another file in the folder keeps it; that is no failure.
void QuarantineStore::Emptied() {
  platform::BestEffort(services_.ini.files.RemoveFolder(FolderPath()));
  services_.statistics.ClearQuarantined();
}

}  // namespace nexolant
