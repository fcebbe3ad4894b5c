#pragma once

#include <chrono>
#include <string>

#include "platform/downloader.h"

namespace nexolant::win32 {

// One synchronous HTTP GET through WinINet, on the calling thread, into a temporary file
// beside the target, which then replaces the target: a failed download leaves the old file as
// it was. A status other than 2xx, or a body shorter than the length the server announced,
// is a failure. Result codes are HRESULTs: the system error of the request, the temporary
// file or the replacement, or INET_E_RESOURCE_NOT_FOUND (404) and INET_E_DOWNLOAD_FAILURE
// (any other status, a short body).
class Win32Downloader final : public platform::Downloader {
 public:
  // stallLimit: how long the server may keep the download waiting (to connect, to answer, to
  // send more of the body) before it ends as a failure.
  explicit Win32Downloader(std::chrono::milliseconds stallLimit = std::chrono::seconds(60))
      : stallLimit_(stallLimit) {}

  platform::DownloadResult DownloadToFile(const std::string& url,
                                          const std::string& fileName) override;

 private:
  std::chrono::milliseconds stallLimit_;
};

}  // namespace nexolant::win32
