#include "fakes/fake_downloader.h"

#include "platform/errors.h"

namespace nexolant {

platform::DownloadResult FakeDownloader::DownloadToFile(const std::string& url,
                                                        const std::string& fileName) {
  requests_.push_back({url, fileName});
  if (failure_) {
    return {*failure_};
  }
  const auto body = bodies_.find(url);
  if (body == bodies_.end()) {
    return {kNotFound};
  }
  try {
    files_.ReplaceWholeFile(fileName, body->second);
  } catch (const platform::IoError&) {
    return {kWriteFailed};
  }
  return {};
}

}  // namespace nexolant
