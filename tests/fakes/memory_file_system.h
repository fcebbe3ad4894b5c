#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace nexolant {

// An in-memory file system with the Windows behaviour the program relies on: paths compare
// case-insensitively, "\" (or "/") separates folders, a folder is not a file, and searches
// match "*" and "?" in the last component ("*.*" matches every name). Searches report no
// "." and ".." entries. Files and folders live under drive-like roots such as "C:".
class MemoryFileSystem : public platform::FileSystem {
 public:
  MemoryFileSystem();  // with an empty temporary folder "C:\Temp\"

  bool FileExists(const std::string& path) override;
  std::optional<platform::FindData> FindFirst(const std::string& pattern) override;
  std::string ReadWholeFile(const std::string& path) override;
  void WriteWholeFile(const std::string& path, std::string_view data) override;
  void ReplaceWholeFile(const std::string& path, std::string_view data) override;
  bool DeleteFile(const std::string& path) override;
  std::string TempFolder() override { return tempFolder_; }
  // Names like GetTempFileName does: the first three characters of prefix, four hex digits
  // and ".tmp".
  std::string CreateTempFile(const std::string& folder, const std::string& prefix) override;

  // Set-up and inspection for tests. AddFile and AddFolder create missing parent folders;
  // the setters throw std::out_of_range for a path that does not exist.
  void AddFile(const std::string& path, std::string_view contents = {});
  void AddFolder(const std::string& path);
  bool FolderExists(const std::string& path) const;
  std::optional<std::string> Contents(const std::string& path) const;  // none for no file
  std::vector<std::string> Names(const std::string& folder) const;     // entries, by name
  std::uint32_t Attributes(const std::string& path) const;
  void SetAttributes(const std::string& path, std::uint32_t attributes);
  void SetReadOnly(const std::string& path, bool readOnly = true);
  // A file that exists but cannot be read, as when another program holds it.
  void SetUnreadable(const std::string& path, bool unreadable = true);
  void SetTempFolder(const std::string& folder);  // creates the folder

  // Every write fails with IoError once `bytes` more bytes have been written in all, as on a
  // full disk: WriteWholeFile leaves the part that fitted, ReplaceWholeFile leaves the old
  // file. AllowWrites lifts the limit.
  void FailWritesAfter(std::size_t bytes) { writeBudget_ = bytes; }
  void AllowWrites() { writeBudget_.reset(); }
  // CreateTempFile throws SystemError with this code and text until AllowTempFiles.
  void FailTempFiles(unsigned long code = 5, std::string text = "Access is denied");
  void AllowTempFiles() { tempFailure_.reset(); }

  int WriteCount() const { return writeCount_; }  // successful writes and replacements

 private:
  struct Entry {
    std::string path;  // as first spelled, without a trailing backslash
    bool folder = false;
    std::string data;
    std::uint32_t attributes = 0;
    bool unreadable = false;
  };
  struct TempFailure {
    unsigned long code;
    std::string text;
  };

  const Entry* Find(const std::string& path) const;
  Entry& At(const std::string& path);
  Entry& WritableFile(const std::string& path);  // created when missing; throws IoError
  std::size_t TakeWriteBudget(std::size_t size);

  std::map<std::string, Entry> entries_;  // by upper-cased path
  std::string tempFolder_;
  std::optional<std::size_t> writeBudget_;
  std::optional<TempFailure> tempFailure_;
  unsigned nextUnique_ = 1;
  int writeCount_ = 0;
};

}  // namespace nexolant
