#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/file_system.h"

namespace nexolant::platform {

// The file services on the C++ standard library, for the tools and for tests on real files.
// Both '/' and '\' separate path components. Paths are byte strings handed to the standard
// library as they are. Searches report no "." and ".." entries, and the attribute words know
// only the directory, archive, read-only and (for a symbolic link) reparse-point bits. The standard
// library knows no kinds of drive: every existing root counts as fixed.
class StdFileSystem : public FileSystem {
 public:
  bool FileExists(const std::string& path) override;
  std::unique_ptr<DirectorySearch> OpenSearch(const std::string& pattern) override;
  std::optional<std::uint32_t> FileAttributes(const std::string& path) override;
  void CreateFolder(const std::string& path) override;
  Outcome RemoveFolder(const std::string& path) override;
  // Not atomic: a target that appears between the test and the rename is replaced.
  Outcome Move(const std::string& source, const std::string& target) override;
  std::string ReadWholeFile(const std::string& path) override;
  void WriteWholeFile(const std::string& path, std::string_view data) override;
  void ReplaceWholeFile(const std::string& path, std::string_view data) override;
  Outcome RemoveFile(const std::string& path) override;
  // Only the read-only bit has an effect: it takes away or gives back the write permissions.
  Outcome ChangeAttributes(const std::string& path, std::uint32_t attributes) override;
  std::string TempFolder() override;
  std::string CreateTempFile(const std::string& folder, const std::string& prefix) override;
  DriveType DriveTypeOf(const std::string& root) override;
  // The folder named by the SystemRoot environment variable; empty where it is not set.
  std::string WindowsFolder() override;
  std::string ProgramFolder() override;
  std::string ExecutablePath() override;
  // std::filesystem's absolute and lexically normal form.
  std::string FullPath(const std::string& path) override;
  // The standard library knows no short names: the path itself when it exists.
  std::string LongPath(const std::string& path) override;
  // From the environment variables Windows sets for the few folders that have one.
  std::string KnownFolderPath(KnownFolder folder) override;
  // Exact paths are handed to the standard library as UTF-8 text.
  std::string ExactSpelling(const std::string& ansi) override;
  std::string AnsiSpelling(const std::string& exact) override;
  std::unique_ptr<DirectorySearch> OpenExactSearch(const std::string& pattern) override;
  std::optional<std::uint32_t> ExactAttributes(const std::string& path) override;
  Outcome MoveExact(const std::string& source, const std::string& target) override;
  Outcome RemoveExactFile(const std::string& path) override;
  Outcome RemoveExactFolder(const std::string& path) override;
  Outcome ChangeExactAttributes(const std::string& path, std::uint32_t attributes) override;

 private:
  // The failure with the error's Windows code.
  static Outcome Fail(std::error_code error);
  // The services on paths as the standard library takes them.
  static std::unique_ptr<DirectorySearch> OpenSearchOn(
      const std::string& pattern, std::filesystem::path (*toPath)(const std::string&));
  static std::optional<std::uint32_t> AttributesAt(const std::filesystem::path& path);
  static Outcome MoveAt(const std::filesystem::path& from, const std::filesystem::path& to);
  static Outcome RemoveFileAt(const std::filesystem::path& path);
  static Outcome RemoveFolderAt(const std::filesystem::path& path);
  static Outcome ChangeAttributesAt(const std::filesystem::path& path, std::uint32_t attributes);
};

}  // namespace nexolant::platform
