#include "update/download_file.h"

namespace nexolant {

bool DownloadFile(platform::Downloader& downloader, const std::string& url,
                  const platform::Path& fileName, std::uint64_t maxBytes) {
  try {
    return downloader.DownloadToFile(url, fileName, maxBytes).ok;
  } catch (...) {
    return false;
  }
}

}  // namespace nexolant
