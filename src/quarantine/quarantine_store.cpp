#include "quarantine/quarantine_store.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "platform/errors.h"
#include "platform/raise.h"
#include "quarantine/exact_entry.h"
#include "quarantine/protected_subkeys.h"
#include "quarantine/quarantine_files.h"
#include "quarantine/remove_tree.h"
#include "quarantine/saved_service.h"
#include "reference/find_signature.h"
#include "reference/wildcard_match.h"
#include "registry/key_tree_restore.h"
#include "registry/registration_file.h"
#include "registry/t_registry.h"
#include "startup/startup_entry.h"
#include "startup/startup_places.h"

namespace nexolant {
namespace {

// The sections of saves, in the order of SaveForm after kNone, with the names of their saves.
struct SaveSection {
  SaveForm form;
  const char* section;
  const char* prefix;
  const char* extension;
};
constexpr std::array<SaveSection, 5> kSaveSections = {{
    {SaveForm::kKey, kRegistrySection, "Key", ".reg"},
    {SaveForm::kService, kServicesSection, "Service", ".reg"},
    {SaveForm::kHelper, kBrowserHelpersSection, "Helper", ".reg"},
    {SaveForm::kValue, kValuesSection, "Value", ".reg"},
    {SaveForm::kTask, kTasksSection, "Task", ".xml"},
}};

const SaveSection& SectionOf(SaveForm form) {
  return kSaveSections.at(static_cast<std::size_t>(form) - 1);
}

// A saved object's row from where it was. A key's or a value's full path gives its own name and
// its parent's path, which starts at a hive; a task's exact path shows without its leading "\".
std::optional<QuarantineEntry> SavedEntry(const std::string& save, const std::string& path,
                                          SaveForm form) {
  if (form == SaveForm::kTask) {
    const std::optional<std::string> task = DecodeExactPath(path);
    if (!task || task->size() < 2 || !task->starts_with('\\')) {
      return std::nullopt;
    }
    return QuarantineEntry{.name = task->substr(1),
                           .origin = kScheduledTaskLocation,
                           .save = save,
                           .form = form,
                           .taskPath = *task};
  }
  const std::size_t slash = path.rfind('\\');
  if (slash == std::string::npos || slash + 1 == path.size() || !path.starts_with("HKEY_")) {
    return std::nullopt;
  }
  return QuarantineEntry{
      .name = path.substr(slash + 1), .origin = path.substr(0, slash), .save = save, .form = form};
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
void QuarantineStore::SortEntries(std::vector<QuarantineEntry>& entries) const {
  const platform::Locale& locale = services_.ini.locale;
  std::stable_sort(entries.begin(), entries.end(),
                   [&locale](const QuarantineEntry& a, const QuarantineEntry& b) {
                     return locale.CompareWordSort(a.name, b.name) < 0;
                   });
}

void QuarantineStore::Sort() {
  SortEntries(entries_);
  Raise(OnReset);
}

void QuarantineStore::Remove(int index) {
  entries_.erase(entries_.begin() + index);
  Raise(OnRemoved, index);
}

void QuarantineStore::Rebuild() {
  TBigIniFile index(services_.ini, IndexPath());
  RebuildFrom(index);
}

// Every key of [Files] in file order, each with the value of its key's first entry, as a read
// by key gives it.
void QuarantineStore::RebuildFrom(TBigIniFile& index) {
  std::vector<QuarantineEntry> entries;
  IndexSection files(services_.ini.locale, kFilesSection);
  files.Load(index);
  IndexSection kept(services_.ini.locale, kDescriptionsSection);
  kept.Load(index);
  for (const IndexSection::Line& line : files.Lines()) {
    if (IsPlainFileName(line.key)) {
      entries.push_back({line.key, Description(line.key), *files.Find(line.key), {}, {}, {}});
    } else if (std::optional<QuarantineEntry> entry = ExactEntry(line.key, *files.Find(line.key))) {
      entries.push_back(std::move(*entry));
    }
  }
  for (const SaveSection& kind : kSaveSections) {
    IndexSection saves(services_.ini.locale, kind.section);
    saves.Load(index);
    for (const IndexSection::Line& line : saves.Lines()) {
      std::optional<QuarantineEntry> entry = SavedEntry(line.key, line.value, kind.form);
      if (IsPlainFileName(line.key) && entry) {
        entry->description = KeyDescription(entry->name);
        entries.push_back(std::move(*entry));
      }
    }
  }
  for (QuarantineEntry& entry : entries) {
    if (const std::string* description = kept.Find(entry.Stored())) {
      entry.description = *description;
    }
  }
  SortEntries(entries);
  if (entries != entries_) {
    entries_ = std::move(entries);
    Raise(OnReset);
  }
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

// The whole session holds the lock; what another process took in before it is listed as well.
void QuarantineStore::BeginIntake() {
  intakeLock_ = std::make_unique<platform::FolderLockScope>(services_.lock, services_.ini.pump);
  try {
    intake_ = std::make_unique<TBigIniFile>(services_.ini, IndexPath());
    RebuildFrom(*intake_);
    intakeFiles_ = std::make_unique<IndexSection>(services_.ini.locale, kFilesSection);
    intakeFiles_->Load(*intake_);
    intakeSaves_.clear();
    for (const SaveSection& kind : kSaveSections) {
      intakeSaves_.push_back(std::make_unique<IndexSection>(services_.ini.locale, kind.section));
      intakeSaves_.back()->Load(*intake_);
    }
    intakeDescriptions_ =
        std::make_unique<IndexSection>(services_.ini.locale, kDescriptionsSection);
    intakeDescriptions_->Load(*intake_);
  } catch (...) {
    EndIntake();
    throw;
  }
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
  intakeDescriptions_.reset();
  intakeSaves_.clear();
  intakeFiles_.reset();
  intake_.reset();
  intakeLock_.reset();
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
        KeepDescription(stored[k - first], file.description,
                        Description(fileSystem.AnsiSpelling(file.name)));
        batch.push_back(k);
      }
      continue;
    }
    keys[k - first] = file.name;
    if (!IsPlainFileName(file.name) ||
        !TBigIniFile::Storable(kFilesSection, file.name, file.folder)) {
      continue;
    }
    if (intakeFiles_->Find(file.name) != nullptr || SaveNamed(file.name) ||
        fileSystem.FileAttributes(QuarantinedPath(file.name))) {
      results[k] = {.error = platform::kErrorAlreadyExists};
      continue;
    }
    intakeFiles_->Add(file.name, file.folder);
    KeepDescription(file.name, file.description, Description(file.name));
    batch.push_back(k);
  }
  if (batch.empty()) {
    return;
  }
  const auto withdraw = [&](std::size_t k) {
    intakeFiles_->Remove(keys[k - first]);
    intakeDescriptions_->Remove(files[k].exactPath.empty() ? files[k].name : stored[k - first]);
  };
  const auto storeIndex = [&] {
    intakeFiles_->Store(*intake_);
    intakeDescriptions_->Store(*intake_);
  };
  try {
    if (!fileSystem.FolderExists(FolderPath())) {
      fileSystem.CreateFolder(FolderPath());
    }
  } catch (...) {
    std::for_each(batch.begin(), batch.end(), withdraw);
    throw;
  }
  storeIndex();
  intake_->Flush();
  if (intake_->Changed()) {
    std::for_each(batch.begin(), batch.end(), withdraw);
    storeIndex();
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
      results[k] = {.quarantined = true, .stored = file.exactPath.empty() ? file.name : storedName};
      anyMoved = true;
    } else {
      withdraw(k);
      results[k] = {.error = moved.error};
      anyStayed = true;
    }
  }
  if (anyStayed) {
    storeIndex();
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
        !SaveNamed(name) && !services_.ini.files.FileAttributes(QuarantinedPath(name))) {
      return name;
    }
  }
}

// The entry is on the disk before the save is written, so a crash between them leaves an
// entry whose save is missing (its Restore fails, Empty drops it), never a deleted key that
// nothing remembers.
std::optional<std::string> QuarantineStore::TakeInSave(const SaveIntakeRequest& request) {
  platform::FileSystem& fileSystem = services_.ini.files;
  if (IntakeRefused() || request.bytes.size() > kLargestKeySave) {
    return std::nullopt;
  }
  const SaveSection& kind = SectionOf(request.form);
  IndexSection& section = *intakeSaves_.at(static_cast<std::size_t>(request.form) - 1);
  const std::string save = FreshName(kind.prefix, kind.extension);
  const std::string value =
      request.form == SaveForm::kTask ? EncodeExactPath(request.path) : request.path;
  std::optional<QuarantineEntry> entry = SavedEntry(save, value, request.form);
  if (!entry || !TBigIniFile::Storable(kind.section, save, value)) {
    return std::nullopt;
  }
  if (!fileSystem.FolderExists(FolderPath())) {
    fileSystem.CreateFolder(FolderPath());
  }
  const std::string byName = request.form == SaveForm::kTask
                                 ? KeyDescription(fileSystem.AnsiSpelling(entry->name))
                                 : KeyDescription(entry->name);
  section.Add(save, value);
  KeepDescription(save, request.description, byName);
  section.Store(*intake_);
  intakeDescriptions_->Store(*intake_);
  intake_->Flush();
  const auto withdraw = [&] {
    section.Remove(save);
    intakeDescriptions_->Remove(save);
    section.Store(*intake_);
    intakeDescriptions_->Store(*intake_);
  };
  if (intake_->Changed()) {
    withdraw();
    intakeFailed_ = true;
    return std::nullopt;
  }
  try {
    fileSystem.ReplaceWholeFile(QuarantinedPath(save), request.bytes);
  } catch (const platform::IoError&) {
    withdraw();
    intake_->Flush();
    return std::nullopt;
  }
  if (request.form == SaveForm::kTask) {
    entry->name = fileSystem.AnsiSpelling(entry->name);
  }
  entry->description = request.description;
  entries_.push_back(std::move(*entry));
  Sort();
  return save;
}

void QuarantineStore::KeepDescription(const std::string& stored, const std::string& description,
                                      const std::string& byName) {
  intakeDescriptions_->Remove(stored);
  if (description != byName && TBigIniFile::Storable(kDescriptionsSection, stored, description)) {
    intakeDescriptions_->Add(stored, description);
  }
}

bool QuarantineStore::SaveNamed(const std::string& name) const {
  return std::any_of(intakeSaves_.begin(), intakeSaves_.end(),
                     [&name](const auto& section) { return section->Find(name) != nullptr; });
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
  const std::optional<std::string> bytes = ReadSave(entry);
  if (!bytes) {
    return false;
  }
  const RegistrationReadResult read = ReadRegistrationFile(*bytes);
  if (!read.key) {
    return false;
  }
  const std::string path = AsciiKeyPath(*read.key);
  // The policy judges a service's key by the program the key names, which is gone with it.
  const bool allowed =
      entry.form == SaveForm::kService
          ? RestorableService(*read.key, services_.registry, services_.protection.Entries())
          : !services_.protection.IsProtectedKey(path) &&
                !HoldsProtectedKey(services_.protection, path, read.key->tree);
  if (LooseKeyPath(path) != LooseKeyPath(entry.origin + "\\" + entry.name) || !allowed ||
      RestoreKeyTree(services_.registry, read.key->root, read.key->parentPath, read.key->tree)
              .status != TreeRestoreResult::Status::kRestored) {
    return false;
  }
  // The key is back, which is what Restore promised; a save that stays is listed no more.
  platform::BestEffort(DeleteQuarantined(entry.save));
  return true;
}

// The value goes back into its key beside the values there now, never over one of its name.
bool QuarantineStore::RestoreValue(const QuarantineEntry& entry) {
  const std::optional<std::string> bytes = ReadSave(entry);
  if (!bytes) {
    return false;
  }
  const RegistrationReadResult read = ReadRegistrationFile(*bytes);
  if (!read.key || read.key->tree.values.size() != 1 || !read.key->tree.subkeys.empty()) {
    return false;
  }
  const SavedKey& saved = *read.key;
  const TreeValue& value = saved.tree.values.front();
  const std::string keyPath = AsciiKeyPath(saved);
  std::string path = keyPath;
  AppendAsciiKeyName(path, value.name);
  if (LooseKeyPath(path) != LooseKeyPath(entry.origin + "\\" + entry.name) ||
      !IsStartupValueKey(keyPath)) {
    return false;
  }
  platform::Registry& registry = services_.registry;
  const platform::WideString full =
      saved.parentPath.empty() ? saved.tree.name : saved.parentPath + u"\\" + saved.tree.name;
  const platform::OpenedKey key =
      registry.CreateKeyWide(saved.root, full, platform::RegistryAccess::kFull);
  if (!key || registry.ReadValueWide(*key, value.name).error != platform::kErrorFileNotFound ||
      !registry.WriteValueWide(*key, value.name, value.type, value.bytes)) {
    return false;
  }
  platform::BestEffort(DeleteQuarantined(entry.save));
  return true;
}

// The scheduler refuses a task whose path is taken.
bool QuarantineStore::RestoreTask(const QuarantineEntry& entry) {
  const std::optional<std::string> definition = ReadSave(entry);
  if (!definition || services_.tasks.Exists(entry.taskPath) ||
      !services_.tasks.Register(entry.taskPath, *definition)) {
    return false;
  }
  platform::BestEffort(DeleteQuarantined(entry.save));
  return true;
}

// A save is a file any program of the user can edit: it is read only up to the size saves are
// written with.
std::optional<std::string> QuarantineStore::ReadSave(const QuarantineEntry& entry) {
  const platform::Path save = QuarantinedPath(entry.save);
  const std::optional<platform::FindData> found = services_.ini.files.FindFirst(save);
  if (!found || found->size > kLargestKeySave) {
    return std::nullopt;
  }
  try {
    return services_.ini.files.ReadWholeFile(save);
  } catch (const platform::IoError&) {
    return std::nullopt;
  }
}

bool QuarantineStore::RestoreEntry(const QuarantineEntry& entry) {
  switch (entry.form) {
    case SaveForm::kNone:
      return RestoreFile(entry);
    case SaveForm::kValue:
      return RestoreValue(entry);
    case SaveForm::kTask:
      return RestoreTask(entry);
    case SaveForm::kKey:
    case SaveForm::kService:
    case SaveForm::kHelper:
      break;
  }
  return RestoreKey(entry);
}

bool QuarantineStore::Restore(int index) {
  const QuarantineEntry chosen = entries_.at(index);
  const platform::FolderLockScope locked(services_.lock, services_.ini.pump);
  Rebuild();
  const auto now =
      std::find_if(entries_.begin(), entries_.end(), [&](const QuarantineEntry& entry) {
        return entry.form == chosen.form && entry.Stored() == chosen.Stored();
      });
  if (now == entries_.end()) {
    return false;
  }
  const QuarantineEntry entry = *now;
  if (RefusedAsLink() || !RestoreEntry(entry)) {
    return false;
  }
  Remove(static_cast<int>(now - entries_.begin()));
  ForgetEntries({entry});
  if (entries_.empty()) {
    Emptied();
  }
  return true;
}

// The user confirmed, so read-only files go too.
int QuarantineStore::Empty() {
  const platform::FolderLockScope locked(services_.lock, services_.ini.pump);
  Rebuild();
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
    std::vector<std::unique_ptr<IndexSection>> saves;
    for (const SaveSection& kind : kSaveSections) {
      saves.push_back(std::make_unique<IndexSection>(services_.ini.locale, kind.section));
      saves.back()->Load(index);
    }
    IndexSection kept(services_.ini.locale, kDescriptionsSection);
    kept.Load(index);
    for (const QuarantineEntry& entry : entries) {
      kept.Remove(entry.Stored());
      if (entry.IsSaved()) {
        saves.at(static_cast<std::size_t>(entry.form) - 1)->Remove(entry.save);
      } else {
        files.Remove(entry.IsExact() ? ExactEntryKey(entry.storedName) : entry.Stored());
      }
    }
    emptied = files.Empty() && std::all_of(saves.begin(), saves.end(),
                                           [](const auto& section) { return section->Empty(); });
    if (!emptied) {
      files.Store(index);
      kept.Store(index);
      for (const auto& section : saves) {
        section->Store(index);
      }
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
