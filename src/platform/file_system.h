#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace nexolant::platform {

// Attribute bits as Windows reports them in a directory search.
enum FileAttribute : std::uint32_t {
  kAttributeReadOnly = 0x01,
  kAttributeHidden = 0x02,
  kAttributeSystem = 0x04,
  kAttributeDirectory = 0x10,
  kAttributeArchive = 0x20,
  kAttributeNormal = 0x80,
};

// The kinds of drive, numbered as GetDriveTypeA numbers them.
enum class DriveType {
  kUnknown = 0,
  kNoRootDir = 1,  // no volume at that root: an absent drive or not a root at all
  kRemovable = 2,
  kFixed = 3,
  kRemote = 4,
  kCdRom = 5,
  kRamDisk = 6,
};

struct FindData {
  std::string name;              // the entry's name without its folder
  std::uint32_t attributes = 0;  // the attribute word exactly as the file system reports it
  std::uint64_t size = 0;
};

// One open directory search; destroying it closes the search.
class DirectorySearch {
 public:
  virtual ~DirectorySearch() = default;

  // The next entry in the file system's order; none once the entries are exhausted.
  virtual std::optional<FindData> Next() = 0;
};

// The prefix of the temporary file ReplaceWholeFile writes beside its target; a file of that
// name left in the program folder is a killed replacement's.
inline constexpr const char* kReplaceTempPrefix = "nxr";

// The file services the core needs. Paths are ANSI byte strings with Windows separators.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // True only for an existing file; a folder is not a file.
  virtual bool FileExists(const std::string& path) = 0;

  // Starts a search for a path with wildcards allowed in its last component; entries of every
  // attribute are reported, and "." and ".." wherever the file system reports them (every
  // folder but a drive root on Windows). Null when nothing matches or the search cannot be
  // made (missing folder, access denied, path too long).
  virtual std::unique_ptr<DirectorySearch> OpenSearch(const std::string& pattern) = 0;

  // The first entry of a search for pattern.
  std::optional<FindData> FindFirst(const std::string& pattern) {
    const std::unique_ptr<DirectorySearch> search = OpenSearch(pattern);
    return search ? search->Next() : std::nullopt;
  }

  // The attribute word of a file or folder; none when the path does not exist.
  virtual std::optional<std::uint32_t> FileAttributes(const std::string& path) = 0;

  // True when the path exists and carries the directory attribute.
  bool FolderExists(const std::string& path) {
    const std::optional<std::uint32_t> attributes = FileAttributes(path);
    return attributes && (*attributes & kAttributeDirectory) != 0;
  }

  // Creates one folder, whose parent must exist; throws SystemError with the system's reason
  // when it cannot, also when the name is already taken.
  virtual void CreateFolder(const std::string& path) = 0;

  // Removes an empty folder; false when it could not be removed.
  virtual bool RemoveFolder(const std::string& path) = 0;

  // Moves a file or folder to target, never replacing an existing target; false when the
  // source is missing or in use, the target exists or its folder is missing.
  virtual bool Move(const std::string& source, const std::string& target) = 0;

  // Whole-file read; throws IoError when the file is missing or cannot be read.
  virtual std::string ReadWholeFile(const std::string& path) = 0;

  // Creates or truncates the file and writes all of data; throws IoError on failure.
  virtual void WriteWholeFile(const std::string& path, std::string_view data) = 0;

  // Writes data to a new temporary file in the target's folder, then replaces the target
  // with it, keeping the target's attributes. A read-only, hidden or system target is
  // refused, as the user marked it so. On any failure the target keeps its old content and
  // IoError is thrown.
  virtual void ReplaceWholeFile(const std::string& path, std::string_view data) = 0;

  // Deletes a file; false when it could not be deleted.
  virtual bool RemoveFile(const std::string& path) = 0;

  // Sets the attribute word of a file or folder; false when it could not be set.
  virtual bool ChangeAttributes(const std::string& path, std::uint32_t attributes) = 0;

  // The system's error code (errors.h) of the last RemoveFolder, Move, RemoveFile or
  // ChangeAttributes that returned false.
  virtual std::uint32_t LastError() const = 0;

  // The user's temporary folder, with a trailing backslash.
  virtual std::string TempFolder() = 0;

  // Creates a new, empty, uniquely named file in folder, named from prefix and a generated
  // number, and returns its full name; throws SystemError on failure.
  virtual std::string CreateTempFile(const std::string& folder, const std::string& prefix) = 0;

  // The kind of drive whose root is given as a letter, ":" and "\" (either case).
  virtual DriveType DriveTypeOf(const std::string& root) = 0;

  // The system's Windows folder as the system gives it (a trailing backslash only for a drive
  // root); empty when there is none.
  virtual std::string WindowsFolder() = 0;

  // The folder of the running executable, with a trailing backslash.
  virtual std::string ProgramFolder() = 0;

  // The full path of the running executable.
  virtual std::string ExecutablePath() = 0;
};

}  // namespace nexolant::platform
