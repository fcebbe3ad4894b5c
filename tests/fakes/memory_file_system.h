#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/file_system.h"

namespace nexolant {

// An in-memory file system with the Windows behaviour the program relies on: paths compare
// case-insensitively, "\" (or "/") separates folders, a folder is not a file, and searches
// match "*" and "?" in the last component ("*.*" matches every name). A search in a folder
// other than a drive root reports "." (with the folder's attribute word) and ".." (with its
// parent's) first, then the entries ordered by upper-cased name, as they were when the search
// was opened. Files and folders live under drive roots such as "C:"; a drive is fixed when its
// root folder exists, unless set otherwise. Moves never replace a target, only empty folders can be
// removed, read-only files cannot be deleted or overwritten, and a file in use cannot be read,
// written, moved or deleted. An entry may have a short (8.3) name, by which every operation
// reaches it too; the current folder is "C:\", and the main known folders are those of a
// Windows 7 installation for the user "User" (none of them created). Its ANSI code page is
// Latin-1: an exact spelling may name characters beyond it, which the ANSI one shows as "?",
// and such an entry is reached only through its exact spelling; the folders it gives may have
// one too. An alias (a drive letter or a folder) shows another folder under a second name, as a
// mapped drive or Wine's drive for the host does; identities and final paths see through it,
// long paths keep its spelling. Every entry has an identity of its own, kept when it moves, and
// its last write time stays that of its creation.
class MemoryFileSystem : public platform::FileSystem {
 public:
  // With an empty temporary folder "C:\Temp\", the Windows folder "C:\Windows" and the
  // program folder "C:\Program\"; only the temporary folder is created.
  MemoryFileSystem();

  bool FileExists(const platform::Path& path) override;
  std::unique_ptr<platform::DirectorySearch> OpenSearch(const platform::Path& pattern) override;
  std::optional<std::uint32_t> FileAttributes(const platform::Path& path) override;
  // Fails with the system's codes and texts: 183 when the name is taken, 3 when the parent
  // folder is missing.
  void CreateFolder(const platform::Path& path) override;
  platform::Outcome RemoveFolder(const platform::Path& path) override;
  platform::Outcome Move(const platform::Path& source, const platform::Path& target) override;
  std::string ReadWholeFile(const platform::Path& path) override;
  // The reader follows its file as a handle does, through moves, and reads it as it is at each
  // call: a change made meanwhile shows, and a file removed, replaced or made unreadable since
  // fails the next read.
  std::unique_ptr<platform::FileReader> OpenReader(const platform::Path& path) override;
  void WriteWholeFile(const platform::Path& path, std::string_view data) override;
  void ReplaceWholeFile(const platform::Path& path, std::string_view data) override;
  platform::Outcome RemoveFile(const platform::Path& path) override;
  // Sets the read-only, hidden, system and archive bits; the others stay. Failures carry the
  // codes Windows gives: 2 or 3 for a missing file or folder, 5 for a denied change or a
  // read-only file, 32 for a file in use, 145 for a folder that is not empty, 183 for a taken
  // target.
  platform::Outcome ChangeAttributes(const platform::Path& path, std::uint32_t attributes) override;
  platform::Path TempFolder() override { return PathOf(tempFolder_); }
  // Names like GetTempFileName does: the first three characters of prefix, four hex digits
  // and ".tmp".
  platform::Path CreateTempFile(const platform::Path& folder, const std::string& prefix) override;
  platform::DriveType DriveTypeOf(const std::string& root) override;
  platform::Path WindowsFolder() override { return PathOf(windowsFolder_); }
  platform::Path ProgramFolder() override { return PathOf(programFolder_); }
  // The program folder followed by "Nexolant.exe".
  platform::Path ExecutablePath() override { return PathOf(programFolder_ + "Nexolant.exe"); }
  // "." and ".." resolved, "/" read as "\", trailing dots and blanks of the last name dropped.
  platform::Path FullPath(const platform::Path& path) override;
  platform::Path LongPath(const platform::Path& path) override;
  std::optional<platform::FileIdentity> Identity(const platform::Path& path) override;
  platform::Path FinalPath(const platform::Path& path) override;
  platform::Path KnownFolderPath(platform::KnownFolder folder) override;
  std::string ExactSpelling(const std::string& ansi) override;
  std::string AnsiSpelling(const std::string& exact) override;

  // Set-up and inspection for tests. AddFile and AddFolder create missing parent folders;
  // the setters throw std::out_of_range for a path that does not exist.
  void AddFile(const platform::Path& path, std::string_view contents = {});
  void AddFolder(const platform::Path& path);
  std::optional<std::string> Contents(const platform::Path& path) const;  // none for no file
  std::vector<std::string> Names(const platform::Path& folder) const;     // ANSI names, by name
  void SetAttributes(const platform::Path& path, std::uint32_t attributes);
  // The dates a search reports; 0 until set.
  void SetTimes(const platform::Path& path, platform::DateTime created,
                platform::DateTime modified);
  void SetReadOnly(const platform::Path& path, bool readOnly = true);
  // A file that exists but cannot be read, as when another program holds it.
  void SetUnreadable(const platform::Path& path, bool unreadable = true);
  // A file held open by another program without sharing.
  void SetInUse(const platform::Path& path, bool inUse = true);
  // A file whose permissions refuse this user every change, as an ACL may.
  void SetDenied(const platform::Path& path, bool denied = true);
  void SetTempFolder(const platform::Path& folder);  // creates the folder
  void SetDriveType(char letter, platform::DriveType type);
  void SetWindowsFolder(const platform::Path& folder) { windowsFolder_ = HeldOf(folder); }
  void SetProgramFolder(const platform::Path& folder) { programFolder_ = HeldOf(folder); }
  // Shows the existing folder target also as alias: a drive ("M:") or a folder whose parent
  // exists, listed there as a folder.
  void AddAlias(const platform::Path& alias, const platform::Path& target);
  // Final paths name the entry by the drive whose root is the deepest folder holding it, as Wine
  // gives them, instead of through every alias, as Windows does for a mapped drive.
  void SetFinalPathsByDeepestDrive(bool deepest) { finalByDeepestDrive_ = deepest; }
  // An entry that cannot be opened for its identity or final path, as a file whose permissions
  // refuse even reading its attributes.
  void SetUnopenable(const platform::Path& path, bool unopenable = true);
  // Gives the existing entry at path the short name shortName in its folder.
  void AddShortName(const platform::Path& path, const std::string& shortName);
  void SetKnownFolder(platform::KnownFolder folder, const platform::Path& path);

  // Every write fails with IoError once `bytes` more bytes have been written in all, as on a
  // full disk: WriteWholeFile leaves the part that fitted, ReplaceWholeFile leaves the old
  // file. AllowWrites lifts the limit.
  void FailWritesAfter(std::size_t bytes) { writeBudget_ = bytes; }
  void AllowWrites() { writeBudget_.reset(); }
  // CreateTempFile throws SystemError with this code and text until AllowTempFiles.
  void FailTempFiles(unsigned long code = 5, std::string text = "Access is denied.");
  void AllowTempFiles() { tempFailure_.reset(); }

  int WriteCount() const { return writeCount_; }  // successful writes and replacements

 private:
  static constexpr std::uint32_t kErrorSharingViolation = 32;
  static constexpr std::uint32_t kErrorDirectoryNotEmpty = 145;

  struct Entry {
    std::string path;  // as first spelled, without a trailing backslash
    bool folder = false;
    std::string data;
    std::uint32_t attributes = 0;
    bool unreadable = false;
    bool inUse = false;
    bool denied = false;
    platform::DateTime created = 0;
    platform::DateTime modified = 0;
    std::uint64_t serial = ++lastSerial_;  // the file's identity, kept through moves
    bool unopenable = false;
    std::uint64_t index = 0;  // the entry's identity on its drive
  };
  struct Alias {
    std::string spelled;  // the alias as given, normalized
    std::string target;   // the target as held, normalized
  };
  class Reader;
  struct TempFailure {
    unsigned long code;
    std::string text;
  };

  // Paths are held in ANSI, with each character beyond it written as \x01 and six hex digits.
  static std::string Held(std::string_view exact);
  static std::string HeldOf(const platform::Path& path);
  static platform::Path PathOf(const std::string& held);
  static std::string ExactOf(std::string_view held);
  static std::string AnsiOf(std::string_view held);

  std::string Key(std::string_view path) const;             // upper-cased, short names made long
  std::string Canonical(std::string_view path) const;       // normalized, aliases replaced
  const Alias* AliasOf(const std::string& plainKey) const;  // the alias a path begins with
  Entry NewEntry(std::string path, bool folder, std::uint32_t attributes);
  static std::optional<std::uint32_t> Refusal(const Entry& entry);
  const Entry* Find(const std::string& path) const;
  bool IsFolder(const std::string& path) const;
  bool HasChildren(const std::string& key) const;
  Entry& At(const std::string& path);
  Entry& WritableFile(const std::string& path);  // created when missing; throws IoError
  std::size_t TakeWriteBudget(std::size_t size);

  inline static std::uint64_t lastSerial_ = 0;
  std::map<std::string, Entry> entries_;           // by upper-cased path
  std::map<std::string, std::string> shortNames_;  // upper-cased short path: key of the entry
  std::map<std::string, Alias> aliases_;           // by upper-cased alias
  std::map<platform::KnownFolder, std::string> knownFolders_;
  std::string tempFolder_;
  std::string windowsFolder_ = "C:\\Windows";
  std::string programFolder_ = "C:\\Program\\";
  std::map<char, platform::DriveType> driveTypes_;  // by upper-case letter
  std::optional<std::size_t> writeBudget_;
  std::optional<TempFailure> tempFailure_;
  unsigned nextUnique_ = 1;
  std::uint64_t nextIndex_ = 1;
  bool finalByDeepestDrive_ = false;
  int writeCount_ = 0;
};

}  // namespace nexolant
