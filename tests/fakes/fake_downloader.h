#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/downloader.h"
#include "platform/file_system.h"

namespace nexolant {

// Serves configured bodies by URL into a FileSystem. An unknown URL fails as a missing
// resource does and a body above the cap as too large; a failure leaves the target as it was,
// as the real download does.
class FakeDownloader : public platform::Downloader {
 public:
  static constexpr std::uint32_t kNotFound = 0x800C0005;     // the resource was not found
  static constexpr std::uint32_t kWriteFailed = 0x80070005;  // access denied

  explicit FakeDownloader(platform::FileSystem& files) : files_(files) {}

  platform::Outcome DownloadToFile(const std::string& url, const platform::Path& fileName,
                                   std::uint64_t maxBytes) override;

  void Serve(const std::string& url, std::string body) { bodies_[url] = std::move(body); }
  // The download of url breaks off: the target is left holding partialBody and the download
  // fails with code.
  void ServePartly(const std::string& url, std::string partialBody, std::uint32_t code) {
    partial_[url] = {std::move(partialBody), code};
  }
  // Runs action inside the next download, as a handler dispatched meanwhile would run.
  void RunDuringNextDownload(std::function<void()> action) { during_ = std::move(action); }
  // Every download fails with code until Succeed.
  void FailWith(std::uint32_t code) { failure_ = code; }
  void Succeed() { failure_.reset(); }

  struct Request {
    std::string url;
    std::string fileName;  // its ANSI spelling
    std::uint64_t maxBytes = 0;
    bool operator==(const Request&) const = default;
  };
  const std::vector<Request>& Requests() const { return requests_; }

 private:
  platform::FileSystem& files_;
  std::map<std::string, std::string> bodies_;
  struct Partial {
    std::string body;
    std::uint32_t code;
  };
  std::map<std::string, Partial> partial_;
  std::function<void()> during_;
  std::optional<std::uint32_t> failure_;
  std::vector<Request> requests_;
};

}  // namespace nexolant
