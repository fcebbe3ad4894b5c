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
// Latin-1: an exact path may name characters beyond it, which its ANSI spelling shows as "?",
// and such an entry is reached only through its exact path.
class MemoryFileSystem : public platform::FileSystem {
 public:
  // With an empty temporary folder "C:\Temp\", the Windows folder "C:\Windows" and the
  // program folder "C:\Program\"; only the temporary folder is created.
  MemoryFileSystem();

  bool FileExists(const std::string& path) override;
  std::unique_ptr<platform::DirectorySearch> OpenSearch(const std::string& pattern) override;
  std::optional<std::uint32_t> FileAttributes(const std::string& path) override;
  // Fails with the system's codes and texts: 183 when the name is taken, 3 when the parent
  // folder is missing.
  void CreateFolder(const std::string& path) override;
  platform::Outcome RemoveFolder(const std::string& path) override;
  platform::Outcome Move(const std::string& source, const std::string& target) override;
  std::string ReadWholeFile(const std::string& path) override;
  void WriteWholeFile(const std::string& path, std::string_view data) override;
  void ReplaceWholeFile(const std::string& path, std::string_view data) override;
  platform::Outcome RemoveFile(const std::string& path) override;
  // Sets the read-only, hidden, system and archive bits; the others stay. Failures carry the
  // codes Windows gives: 2 or 3 for a missing file or folder, 5 for a denied change or a
  // read-only file, 32 for a file in use, 145 for a folder that is not empty, 183 for a taken
  // target.
  platform::Outcome ChangeAttributes(const std::string& path, std::uint32_t attributes) override;
  std::string TempFolder() override { return tempFolder_; }
  // Names like GetTempFileName does: the first three characters of prefix, four hex digits
  // and ".tmp".
  std::string CreateTempFile(const std::string& folder, const std::string& prefix) override;
  platform::DriveType DriveTypeOf(const std::string& root) override;
  std::string WindowsFolder() override { return windowsFolder_; }
  std::string ProgramFolder() override { return programFolder_; }
  // The program folder followed by "Nexolant.exe".
  std::string ExecutablePath() override { return programFolder_ + "Nexolant.exe"; }
  // "." and ".." resolved, "/" read as "\", trailing dots and blanks of the last name dropped.
  std::string FullPath(const std::string& path) override;
  std::string LongPath(const std::string& path) override;
  std::string KnownFolderPath(platform::KnownFolder folder) override;
  std::string ExactSpelling(const std::string& ansi) override;
  std::string AnsiSpelling(const std::string& exact) override;
  std::unique_ptr<platform::DirectorySearch> OpenExactSearch(const std::string& pattern) override;
  std::optional<std::uint32_t> ExactAttributes(const std::string& path) override;
  platform::Outcome MoveExact(const std::string& source, const std::string& target) override;
  platform::Outcome RemoveExactFile(const std::string& path) override;
  platform::Outcome RemoveExactFolder(const std::string& path) override;
  platform::Outcome ChangeExactAttributes(const std::string& path,
                                          std::uint32_t attributes) override;

  // Set-up and inspection for tests. AddFile and AddFolder create missing parent folders;
  // the setters throw std::out_of_range for a path that does not exist.
  void AddFile(const std::string& path, std::string_view contents = {});
  void AddFolder(const std::string& path);
  std::optional<std::string> Contents(const std::string& path) const;  // none for no file
  std::vector<std::string> Names(const std::string& folder) const;     // entries, by name
  // The same on exact paths; names in their exact spelling.
  void AddExactFile(const std::string& path, std::string_view contents = {});
  std::optional<std::string> ExactContents(const std::string& path) const;
  std::vector<std::string> ExactNames(const std::string& folder) const;
  void SetAttributes(const std::string& path, std::uint32_t attributes);
  void SetReadOnly(const std::string& path, bool readOnly = true);
  // A file that exists but cannot be read, as when another program holds it.
  void SetUnreadable(const std::string& path, bool unreadable = true);
  // A file held open by another program without sharing.
  void SetInUse(const std::string& path, bool inUse = true);
  // A file whose permissions refuse this user every change, as an ACL may.
  void SetDenied(const std::string& path, bool denied = true);
  void SetTempFolder(const std::string& folder);  // creates the folder
  void SetDriveType(char letter, platform::DriveType type);
  void SetWindowsFolder(std::string folder) { windowsFolder_ = std::move(folder); }
  void SetProgramFolder(std::string folder) { programFolder_ = std::move(folder); }
  // Gives the existing entry at path the short name shortName in its folder.
  void AddShortName(const std::string& path, const std::string& shortName);
  void SetKnownFolder(platform::KnownFolder folder, std::string path);

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
  };
  struct TempFailure {
    unsigned long code;
    std::string text;
  };

  // Paths are held in ANSI, with each character beyond it written as \x01 and six hex digits.
  static std::string Held(std::string_view exact);
  static std::string ExactOf(std::string_view held);
  static std::string AnsiOf(std::string_view held);

  std::string Key(std::string_view path) const;  // upper-cased, short names made long
  static std::optional<std::uint32_t> Refusal(const Entry& entry);
  const Entry* Find(const std::string& path) const;
  bool IsFolder(const std::string& path) const;
  bool HasChildren(const std::string& key) const;
  Entry& At(const std::string& path);
  Entry& WritableFile(const std::string& path);  // created when missing; throws IoError
  std::size_t TakeWriteBudget(std::size_t size);

  std::map<std::string, Entry> entries_;           // by upper-cased path
  std::map<std::string, std::string> shortNames_;  // upper-cased short path: key of the entry
  std::map<platform::KnownFolder, std::string> knownFolders_;
  std::string tempFolder_;
  std::string windowsFolder_ = "C:\\Windows";
  std::string programFolder_ = "C:\\Program\\";
  std::map<char, platform::DriveType> driveTypes_;  // by upper-case letter
  std::optional<std::size_t> writeBudget_;
  std::optional<TempFailure> tempFailure_;
  unsigned nextUnique_ = 1;
  int writeCount_ = 0;
};

}  // namespace nexolant
