#pragma once

#include <cstdint>
#include <string>

#include "platform/errors.h"
#include "platform/path.h"

namespace nexolant::platform {

// What a download of a body longer than its cap fails with (the system's "file too large").
inline constexpr std::uint32_t kDownloadTooLarge = 0x800700DF;

// The prefix of the temporary file a download writes beside its target before it takes the
// target's place; a file of that name left in the program folder is a killed download's.
inline constexpr const char* kDownloadTempPrefix = "nxd";

// Fetches a URL synchronously into a file.
class Downloader {
 public:
  virtual ~Downloader() = default;

  // Creates or replaces fileName with the body of url. A body longer than maxBytes fails with
  // kDownloadTooLarge, without waiting for the rest. On failure fileName is left as it was and
  // the error is the system's result code.
  virtual Outcome DownloadToFile(const std::string& url, const Path& fileName,
                                 std::uint64_t maxBytes) = 0;
};

}  // namespace nexolant::platform
