#pragma once

#include "platform/file_system.h"

namespace nexolant::win32 {

// The file services on the ANSI Win32 API.
class Win32FileSystem : public platform::FileSystem {
 public:
  bool FileExists(const std::string& path) override;
  std::unique_ptr<platform::DirectorySearch> OpenSearch(const std::string& pattern) override;
  std::optional<std::uint32_t> FileAttributes(const std::string& path) override;
  void CreateFolder(const std::string& path) override;
  bool RemoveFolder(const std::string& path) override;
  bool Move(const std::string& source, const std::string& target) override;
  std::string ReadWholeFile(const std::string& path) override;
  void WriteWholeFile(const std::string& path, std::string_view data) override;
  void ReplaceWholeFile(const std::string& path, std::string_view data) override;
  bool RemoveFile(const std::string& path) override;
  bool ChangeAttributes(const std::string& path, std::uint32_t attributes) override;
  std::uint32_t LastError() const override { return lastError_; }
  std::string TempFolder() override;
  std::string CreateTempFile(const std::string& folder, const std::string& prefix) override;
  platform::DriveType DriveTypeOf(const std::string& root) override;
  std::string WindowsFolder() override;
  std::string ProgramFolder() override;
  std::string ExecutablePath() override;
  std::string FullPath(const std::string& path) override;
  std::string LongPath(const std::string& path) override;
  std::string KnownFolderPath(platform::KnownFolder folder) override;

 private:
  // Keeps the calling thread's last error when ok is false; returns ok.
  bool Record(bool ok);

  std::uint32_t lastError_ = 0;
};

}  // namespace nexolant::win32
