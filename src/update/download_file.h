#pragma once

#include <cstdint>
#include <string>

#include "platform/downloader.h"

namespace nexolant {

// Fetches url into fileName, a body of at most maxBytes. True exactly when the download
// reports success; a failure raised during it is answered with false.
[[nodiscard]] bool DownloadFile(platform::Downloader& downloader, const std::string& url,
                                const platform::Path& fileName, std::uint64_t maxBytes);

}  // namespace nexolant
