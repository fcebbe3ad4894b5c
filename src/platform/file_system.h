#pragma once

#include <cstdint>
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

struct FindData {
  std::string name;  // the entry's name without its folder
  std::uint32_t attributes = 0;
  std::uint64_t size = 0;
};

// The file services the core needs. Paths are ANSI byte strings with Windows separators.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // True only for an existing file; a folder is not a file.
  virtual bool FileExists(const std::string& path) = 0;

  // The first entry matching a path with wildcards in its last component, any attribute.
  virtual std::optional<FindData> FindFirst(const std::string& pattern) = 0;

  // Whole-file read; throws IoError when the file is missing or cannot be read.
  virtual std::string ReadWholeFile(const std::string& path) = 0;

  // Creates or truncates the file and writes all of data; throws IoError on failure.
  virtual void WriteWholeFile(const std::string& path, std::string_view data) = 0;

  // Writes data to a new temporary file in the target's folder, then replaces the target
  // with it. On any failure the target keeps its old content and IoError is thrown.
  virtual void ReplaceWholeFile(const std::string& path, std::string_view data) = 0;

  // Deletes a file; false when it could not be deleted.
  virtual bool DeleteFile(const std::string& path) = 0;

  // The user's temporary folder, with a trailing backslash.
  virtual std::string TempFolder() = 0;

  // Creates a new, empty, uniquely named file in folder, named from prefix and a generated
  // number, and returns its full name; throws SystemError on failure.
  virtual std::string CreateTempFile(const std::string& folder, const std::string& prefix) = 0;
};

}  // namespace nexolant::platform
