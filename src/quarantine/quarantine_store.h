#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ini/big_ini_file.h"
#include "platform/folder_lock.h"
#include "platform/registry.h"
#include "platform/startup_services.h"
#include "platform/string_list.h"
#include "protection/protection_policy.h"
#include "quarantine/index_section.h"
#include "reference/signature_source.h"
#include "settings/usage_statistics.h"

namespace nexolant {

// What a quarantined object's save is, for the objects kept in a file of their own: a registry
// key, a service's key, a browser helper's key (registration files of the whole key), one value
// (a registration file of its key with that value alone), a task (its definition).
enum class SaveForm { kNone, kKey, kService, kHelper, kValue, kTask };

// One quarantined object. A file: its name in the Quarantine folder, the description of its
// signature and the folder it came from. A saved object: its own name, the description, where
// it was (a key's parent path, "HKEY_CURRENT_USER\Software"; a value's key path; "Scheduled
// task") and the name of its save in the Quarantine folder. A file whose name the ANSI code page
// cannot hold shows its name and origin in ANSI (with "?"), and keeps its exact path and the
// plain name it lies under.
struct QuarantineEntry {
  std::string name{};
  std::string description{};
  std::string origin{};
  std::string save{};        // saved objects only; never empty for them
  std::string exactPath{};   // exact files only: the origin folder and name (UTF-8)
  std::string storedName{};  // exact files only: the plain name in the Quarantine folder
  SaveForm form = SaveForm::kNone;
  std::string taskPath{};  // tasks only: the exact task path (UTF-8)

  bool IsSaved() const { return !save.empty(); }
  // A save that is a registration file of a whole key.
  bool IsKey() const {
    return form == SaveForm::kKey || form == SaveForm::kService || form == SaveForm::kHelper;
  }
  bool IsExact() const { return !exactPath.empty(); }
  // The name of the object's file in the Quarantine folder.
  const std::string& Stored() const { return IsSaved() ? save : IsExact() ? storedName : name; }

  bool operator==(const QuarantineEntry&) const = default;
};

// An object to take into the quarantine as a save of its own: the save's bytes, where it was as
// the index writes it (a key's or value's full path as the Report writes paths, a task's exact
// path), the description of its signature and the form of the save.
struct SaveIntakeRequest {
  std::string bytes;
  std::string path;
  std::string description;
  SaveForm form = SaveForm::kKey;
};

// A file to take into the quarantine: folder\name, found as a file of that description, and
// its exact path (UTF-8) when that ANSI text does not spell it.
struct IntakeRequest {
  std::string name;
  std::string folder;
  std::string description;
  std::string exactPath;
};

// The outcome of taking one file into the quarantine: quarantined, or left where it was with
// the system's error code when the system gave one (0 otherwise).
struct [[nodiscard]] IntakeResult {
  bool quarantined = false;
  std::uint32_t error = 0;
  std::string stored{};  // its name in the Quarantine folder, once quarantined
};

// What the quarantine works with.
struct QuarantineServices {
  IniServices ini;
  platform::Registry& registry;
  platform::ScheduledTasks& tasks;
  platform::Path programFolder;  // with a trailing backslash
  UsageStatistics& statistics;
  const SignatureSource& signatures;
  const protection::ProtectionPolicy& protection;
  // Held by every change of the folder and its index, which another process of the program
  // may change too.
  platform::FolderLock& lock;
};

// The quarantine: the files in the Quarantine folder of the program folder and the index
// Quarantine.ini that remembers where each came from. The entries are kept sorted by name as
// the locale sorts words (a later entry after entries of an equal name), which is the order the
// Quarantine page lists them in, so an entry's index is its row's. The index is read once, at
// the rebuild, and written once per change: tens of thousands of entries cost no more than
// their number.
class QuarantineStore {
 public:
  // Files are taken in at most this many at a time: one index write before their moves, one
  // after, so a crash between them leaves at most this many entries of files still at home.
  static constexpr std::size_t kIntakeBatch = 512;
  // The largest key save written, and read back: a larger key stays where it is.
  static constexpr std::uint64_t kLargestKeySave = 16 * 1024 * 1024;

  explicit QuarantineStore(QuarantineServices services);
  QuarantineStore(const QuarantineStore&) = delete;
  QuarantineStore& operator=(const QuarantineStore&) = delete;

  const std::vector<QuarantineEntry>& Entries() const { return entries_; }
  int Count() const { return static_cast<int>(entries_.size()); }

  // Told after the entry at index was removed, and after changes to many entries at once.
  std::function<void(int index)> OnRemoved;
  std::function<void()> OnReset;

  // The entries from the index as it is now; the signature tables must be loaded. Names that
  // are no plain file name would lead outside the folder, and key paths without a hive name
  // and a key name lead nowhere: they are left out, and stay in the index. The page is told
  // only when the entries changed. Throws when the index cannot be read, and the entries then
  // stay as they were.
  void Rebuild();

  // One repair's session over the index, in which files are taken in.
  class IntakeSession {
   public:
    explicit IntakeSession(QuarantineStore& store) : store_(store) { store_.BeginIntake(); }
    ~IntakeSession() { store_.EndIntake(); }
    IntakeSession(const IntakeSession&) = delete;
    IntakeSession& operator=(const IntakeSession&) = delete;

   private:
    QuarantineStore& store_;
  };
  // Moves the files into the quarantine, within an IntakeSession, and answers for each. No
  // file moves before its index entry is on the disk; the entry of a file that did not move is
  // taken back. A file with an exact path is moved through it, under a fresh plain name. A
  // name that is taken in the quarantine, or an entry the index cannot hold, leaves the file
  // where it is; after an index that could not be written, so do the files of
  // the rest of the session. Throws platform::SystemError when the quarantine folder cannot be
  // created.
  std::vector<IntakeResult> TakeIn(const std::vector<IntakeRequest>& files);
  // Writes an object's save (a key's or a value's registration file, a task's definition) into
  // the quarantine under a name no file and no entry holds, within an IntakeSession: its entry
  // reaches the disk first, then the file, flushed. True when both are there; otherwise neither
  // is, and the object must stay. Saves and files share the rule about an index that could not
  // be written. Throws platform::SystemError when the quarantine folder cannot be created.
  // The save's name in the folder; none when the object must stay.
  [[nodiscard]] std::optional<std::string> TakeInSave(const SaveIntakeRequest& request);

  // Moves the entry's file back to its origin (the entry as the index holds it now: false when
  // another process restored or emptied it meanwhile), or re-creates its key, value or task exactly
  // from the save and deletes the save; false, with nothing changed, when it cannot (also when an
  // object of its name exists now) or when the place is one the protection policy keeps (an
  // index or save edited to plant something there, or an origin folder replaced by a
  // junction). A value goes back only into a key whose values start programs, a service only
  // when the program it names is none of Windows'. The last entry leaving takes the folder and
  // the count of quarantined objects with it.
  [[nodiscard]] bool Restore(int index);
  // Deletes every quarantined file and key save that the index holds now, read-only or not; an
  // entry whose file stays is kept.
  // Returns the number of entries left.
  int Empty();

 private:
  void BeginIntake();
  void EndIntake();
  // The entries of an index read into memory, in their sorted order.
  void RebuildFrom(TBigIniFile& index);
  // A Quarantine folder that is a junction or a link leads to another place: it is not used,
  // and the user is told so.
  bool RefusedAsLink() const;
  // Whether the session takes nothing more in: its index could not be written, or its folder
  // is a link.
  bool IntakeRefused();
  void TakeInBatch(const std::vector<IntakeRequest>& files, std::size_t first, std::size_t end,
                   std::vector<IntakeResult>& results);
  [[nodiscard]] bool RestoreFile(const QuarantineEntry& entry);
  [[nodiscard]] bool RestoreEntry(const QuarantineEntry& entry);
  [[nodiscard]] bool RestoreKey(const QuarantineEntry& entry);
  [[nodiscard]] bool RestoreValue(const QuarantineEntry& entry);
  [[nodiscard]] bool RestoreTask(const QuarantineEntry& entry);
  // The save's bytes, none when it is missing, larger than a save is written or unreadable.
  std::optional<std::string> ReadSave(const QuarantineEntry& entry);
  // A plain name, prefix, a number and extension, that no file in the folder and no entry of
  // any section holds: for a save, or for a file with an exact path.
  std::string FreshName(const char* prefix, const char* extension);
  // Whether a section of saves holds an entry of that name.
  bool SaveNamed(const std::string& name) const;
  // The entry of an exact file in [Files]; none for a malformed one.
  std::optional<QuarantineEntry> ExactEntry(const std::string& key, const std::string& value);
  // Takes the entries' first index lines out of the index on the disk; the index goes when
  // neither section holds a line.
  void ForgetEntries(const std::vector<QuarantineEntry>& entries);
  // The description of the registry signature the key's name matches, or "Unavailable".
  std::string KeyDescription(const std::string& name) const;
  // Within an intake: keeps the description under the stored name when its name would not give
  // it again, and drops any line an earlier entry of that stored name left.
  void KeepDescription(const std::string& stored, const std::string& description,
                       const std::string& byName);
  platform::Path IndexPath() const;
  platform::Path FolderPath() const;  // without a trailing backslash
  platform::Path QuarantinedPath(const std::string& name) const;
  // The description of the file signature the name matches, or "Unavailable".
  std::string Description(const std::string& name) const;
  std::string DescriptionIn(const std::string& name, const SignatureList& names,
                            const StringList& descriptions) const;
  // The entries in their sorted order, the page told at once.
  void Sort();
  void SortEntries(std::vector<QuarantineEntry>& entries) const;
  void Remove(int index);
  // Deletes a quarantined file, read-only or not; true when it is gone.
  [[nodiscard]] bool DeleteQuarantined(const std::string& name);
  // After the last entry went: no folder, no count.
  void Emptied();

  QuarantineServices services_;
  std::vector<QuarantineEntry> entries_;
  // During an intake session: the lock, the index and its [Files] section as they are on the
  // disk.
  std::unique_ptr<platform::FolderLockScope> intakeLock_;
  std::unique_ptr<TBigIniFile> intake_;
  std::unique_ptr<IndexSection> intakeFiles_;
  // The sections of saves, one for each form but kNone, in the order of SaveForm.
  std::vector<std::unique_ptr<IndexSection>> intakeSaves_;
  std::unique_ptr<IndexSection> intakeDescriptions_;
  unsigned nextSave_ = 1;       // where the search for a fresh save name goes on
  bool intakeFailed_ = false;   // the index could not be written during this repair
  bool folderChecked_ = false;  // whether this repair looked at the folder yet
};

}  // namespace nexolant
