#pragma once

#include <chrono>
#include <string>

#include "platform/downloader.h"

namespace nexolant::win32 {

// One synchronous HTTP GET through WinINet, on the calling thread, into a temporary file
// beside the target, which then replaces the target: a failed download leaves the old file as
// it was. A status other than 2xx, or a body shorter than the length the server announced,
// is a failure, and so is a body longer than the cap: an announced length above it is refused
// before the body is read, and the download stops as soon as more than the cap has arrived.
// Redirects are followed only to the same server (scheme, host and port), at most five. No
// authentication, cookie or cached copy is ever used. Result codes are HRESULTs: the system
// error of the request, the temporary file or the replacement, INET_E_RESOURCE_NOT_FOUND
// (404), INET_E_DOWNLOAD_FAILURE (any other status, a short body), INET_E_REDIRECT_FAILED,
// platform::kDownloadTooLarge, or the WinINet time-out when the deadline passed.
class Win32Downloader final : public platform::Downloader {
 public:
  // stallLimit: how long the server may keep the download waiting (to connect, to answer, to
  // send more of the body) before it ends as a failure. deadline: how long the whole download
  // may take, however the server paces it.
  explicit Win32Downloader(std::chrono::milliseconds stallLimit = std::chrono::seconds(60),
                           std::chrono::milliseconds deadline = std::chrono::minutes(5))
      : stallLimit_(stallLimit), deadline_(deadline) {}

  platform::Outcome DownloadToFile(const std::string& url, const platform::Path& fileName,
                                   std::uint64_t maxBytes) override;

 private:
  std::chrono::milliseconds stallLimit_;
  std::chrono::milliseconds deadline_;
};

}  // namespace nexolant::win32
