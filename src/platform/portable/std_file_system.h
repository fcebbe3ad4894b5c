#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace nexolant::platform {

// The file services on the C++ standard library, for the tools and for tests on real files.
// Both '/' and '\' separate path components. Paths are byte strings handed to the standard
// library as they are.
class StdFileSystem : public FileSystem {
 public:
  bool FileExists(const std::string& path) override;
  std::optional<FindData> FindFirst(const std::string& pattern) override;
  std::string ReadWholeFile(const std::string& path) override;
  void WriteWholeFile(const std::string& path, std::string_view data) override;
  void ReplaceWholeFile(const std::string& path, std::string_view data) override;
  bool DeleteFile(const std::string& path) override;
  std::string TempFolder() override;
  std::string CreateTempFile(const std::string& folder, const std::string& prefix) override;
};

}  // namespace nexolant::platform
