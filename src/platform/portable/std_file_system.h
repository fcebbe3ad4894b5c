#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace nexolant::platform {

// The file services on the C++ standard library, for the tools and for tests on real files.
// Both '/' and '\' separate path components. ANSI spellings are byte strings handed to the
// standard library as they are, exact ones UTF-8 text. Searches report no "." and ".." entries,
// and the attribute words know only the directory, archive, read-only and (for a symbolic link)
// reparse-point bits; they give no dates. The standard library knows no kinds of drive: every
// existing root counts as fixed.
class StdFileSystem : public FileSystem {
 public:
  bool FileExists(const Path& path) override;
  std::unique_ptr<DirectorySearch> OpenSearch(const Path& pattern) override;
  std::optional<std::uint32_t> FileAttributes(const Path& path) override;
  void CreateFolder(const Path& path) override;
  Outcome RemoveFolder(const Path& path) override;
  // Not atomic: a target that appears between the test and the rename is replaced.
  Outcome Move(const Path& source, const Path& target) override;
  std::string ReadWholeFile(const Path& path) override;
  std::unique_ptr<FileReader> OpenReader(const Path& path) override;
  void WriteWholeFile(const Path& path, std::string_view data) override;
  void ReplaceWholeFile(const Path& path, std::string_view data) override;
  Outcome RemoveFile(const Path& path) override;
  // Only the read-only bit has an effect: it takes away or gives back the write permissions.
  Outcome ChangeAttributes(const Path& path, std::uint32_t attributes) override;
  Path TempFolder() override;
  Path CreateTempFile(const Path& folder, const std::string& prefix) override;
  DriveType DriveTypeOf(const std::string& root) override;
  // The folder named by the SystemRoot environment variable; empty where it is not set.
  Path WindowsFolder() override;
  Path ProgramFolder() override;
  Path ExecutablePath() override;
  // std::filesystem's absolute and lexically normal form.
  Path FullPath(const Path& path) override;
  // The standard library knows no short names: the path itself when it exists.
  Path LongPath(const Path& path) override;
  // The device and inode of the entry itself (lstat); none on Windows, whose standard library
  // gives no file index.
  std::optional<FileIdentity> Identity(const Path& path) override;
  // The canonical form of the entry's folder followed by its name.
  Path FinalPath(const Path& path) override;
  // From the environment variables Windows sets for the few folders that have one.
  Path KnownFolderPath(KnownFolder folder) override;
  std::string ExactSpelling(const std::string& ansi) override;
  std::string AnsiSpelling(const std::string& exact) override;
};

}  // namespace nexolant::platform
