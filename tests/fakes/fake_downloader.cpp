#include "fakes/fake_downloader.h"

#include <utility>

#include "platform/errors.h"

namespace nexolant {

platform::DownloadResult FakeDownloader::DownloadToFile(const std::string& url,
                                                        const platform::Path& fileName,
                                                        std::uint64_t maxBytes) {
  requests_.push_back({url, fileName.ansi, maxBytes});
  if (const std::function<void()> action = std::exchange(during_, nullptr)) {
    action();
  }
  if (failure_) {
    return {*failure_};
  }
  if (const auto partial = partial_.find(url); partial != partial_.end()) {
    files_.WriteWholeFile(fileName, partial->second.body);
    return {partial->second.code};
  }
  const auto body = bodies_.find(url);
  if (body == bodies_.end()) {
    return {kNotFound};
  }
  if (body->second.size() > maxBytes) {
    return {platform::kDownloadTooLarge};
  }
  try {
    files_.ReplaceWholeFile(fileName, body->second);
  } catch (const platform::IoError&) {
    return {kWriteFailed};
  }
  return {};
}

}  // namespace nexolant
