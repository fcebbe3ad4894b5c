#pragma once

#include <cstdint>
#include <string>

namespace nexolant::platform {

// The outcome of a download: the system's result code, 0 for success.
struct DownloadResult {
  std::uint32_t code = 0;
  bool Succeeded() const { return code == 0; }
};

// Fetches a URL synchronously into a file.
class Downloader {
 public:
  virtual ~Downloader() = default;

  // Creates or replaces fileName with the body of url. On failure fileName is left as it was.
  virtual DownloadResult DownloadToFile(const std::string& url, const std::string& fileName) = 0;
};

}  // namespace nexolant::platform
