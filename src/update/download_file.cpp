#include "update/download_file.h"

namespace nexolant {

bool DownloadFile(platform::Downloader& downloader, const std::string& url,
                  const std::string& fileName) {
  try {
    return downloader.DownloadToFile(url, fileName).Succeeded();
  } catch (...) {
    return false;
  }
}

}  // namespace nexolant
