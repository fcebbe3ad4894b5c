#pragma once

#include <string>

#include "platform/downloader.h"

namespace nexolant::win32 {

// URLDownloadToFile into a temporary file beside the target, which then replaces the target:
// a failed download leaves the old file as it was. Result codes are the download's HRESULT,
// or the HRESULT of the system error of the temporary file or the replacement. Takes its own
// COM reference for the call, so it works on any thread, whatever COM state it has.
class Win32Downloader final : public platform::Downloader {
 public:
  platform::DownloadResult DownloadToFile(const std::string& url,
                                          const std::string& fileName) override;
};

}  // namespace nexolant::win32
