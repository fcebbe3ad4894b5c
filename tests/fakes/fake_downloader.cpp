#include "fakes/fake_downloader.h"

#include <utility>

#include "platform/errors.h"

namespace nexolant {

platform::Outcome FakeDownloader::DownloadToFile(const std::string& url,
                                                 const platform::Path& fileName,
                                                 std::uint64_t maxBytes) {
  requests_.push_back({url, fileName.ansi, maxBytes});
  if (const std::function<void()> action = std::exchange(during_, nullptr)) {
    action();
  }
  if (failure_) {
    return platform::Outcome::Of(*failure_);
  }
  if (const auto partial = partial_.find(url); partial != partial_.end()) {
    files_.WriteWholeFile(fileName, partial->second.body);
    return platform::Outcome::Of(partial->second.code);
  }
  const auto body = bodies_.find(url);
  if (body == bodies_.end()) {
    return platform::Outcome::Of(kNotFound);
  }
  if (body->second.size() > maxBytes) {
    return platform::Outcome::Of(platform::kDownloadTooLarge);
  }
  try {
    files_.ReplaceWholeFile(fileName, body->second);
  } catch (const platform::IoError&) {
    return platform::Outcome::Of(kWriteFailed);
  }
  return {};
}

}  // namespace nexolant
