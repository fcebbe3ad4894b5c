#pragma once

#include "platform/file_system.h"

namespace nexolant::win32 {

// The file services on the Win32 API: the ANSI functions for a path without an exact
// spelling, the wide ones for a path with one, and for searches. The folders the system gives
// are asked for wide, so that one the code page cannot hold keeps its exact spelling.
class Win32FileSystem : public platform::FileSystem {
 public:
  bool FileExists(const platform::Path& path) override;
  std::unique_ptr<platform::DirectorySearch> OpenSearch(const platform::Path& pattern) override;
  std::optional<std::uint32_t> FileAttributes(const platform::Path& path) override;
  void CreateFolder(const platform::Path& path) override;
  platform::Outcome RemoveFolder(const platform::Path& path) override;
  platform::Outcome Move(const platform::Path& source, const platform::Path& target) override;
  std::string ReadWholeFile(const platform::Path& path) override;
  std::unique_ptr<platform::FileReader> OpenReader(const platform::Path& path) override;
  void WriteWholeFile(const platform::Path& path, std::string_view data) override;
  void ReplaceWholeFile(const platform::Path& path, std::string_view data) override;
  platform::Outcome RemoveFile(const platform::Path& path) override;
  platform::Outcome ChangeAttributes(const platform::Path& path, std::uint32_t attributes) override;
  platform::Path TempFolder() override;
  platform::Path CreateTempFile(const platform::Path& folder, const std::string& prefix) override;
  platform::DriveType DriveTypeOf(const std::string& root) override;
  platform::Path WindowsFolder() override;
  platform::Path ProgramFolder() override;
  platform::Path ExecutablePath() override;
  platform::Path FullPath(const platform::Path& path) override;
  platform::Path LongPath(const platform::Path& path) override;
  platform::Path KnownFolderPath(platform::KnownFolder folder) override;
  std::string ExactSpelling(const std::string& ansi) override;
  std::string AnsiSpelling(const std::string& exact) override;
};

}  // namespace nexolant::win32
