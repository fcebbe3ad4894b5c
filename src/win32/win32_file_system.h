#pragma once

#include "platform/file_system.h"

namespace nexolant::win32 {

// The file services on the ANSI Win32 API; searches and the exact paths' services on the wide
// one.
class Win32FileSystem : public platform::FileSystem {
 public:
  bool FileExists(const std::string& path) override;
  std::unique_ptr<platform::DirectorySearch> OpenSearch(const std::string& pattern) override;
  std::optional<std::uint32_t> FileAttributes(const std::string& path) override;
  void CreateFolder(const std::string& path) override;
  platform::Outcome RemoveFolder(const std::string& path) override;
  platform::Outcome Move(const std::string& source, const std::string& target) override;
  std::string ReadWholeFile(const std::string& path) override;
  void WriteWholeFile(const std::string& path, std::string_view data) override;
  void ReplaceWholeFile(const std::string& path, std::string_view data) override;
  platform::Outcome RemoveFile(const std::string& path) override;
  platform::Outcome ChangeAttributes(const std::string& path, std::uint32_t attributes) override;
  std::string TempFolder() override;
  std::string CreateTempFile(const std::string& folder, const std::string& prefix) override;
  platform::DriveType DriveTypeOf(const std::string& root) override;
  std::string WindowsFolder() override;
  std::string ProgramFolder() override;
  std::string ExecutablePath() override;
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
};

}  // namespace nexolant::win32
