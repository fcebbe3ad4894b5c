#pragma once

#include <windows.h>

#include <string>
#include <utility>

#include "platform/path.h"
#include "win32/wide_names.h"

namespace nexolant::win32 {

// A file that is deleted at the end of the scope unless kept.
class TemporaryFile {
 public:
  explicit TemporaryFile(platform::Path path) : path_(std::move(path)) {}
  ~TemporaryFile() {
    if (!path_.Empty()) {
      OnPath(path_, DeleteFileA, DeleteFileW);
    }
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  const platform::Path& path() const { return path_; }
  void Keep() { path_ = {}; }

 private:
  platform::Path path_;
};

// The folder part of a path with its final separator; "." for a bare name. A temporary file
// made there can replace the target by a rename.
inline platform::Path FolderOf(const platform::Path& path) {
  const auto folder = [](const std::string& text) {
    const std::size_t separator = text.find_last_of("\\/");
    return separator == std::string::npos ? std::string(".") : text.substr(0, separator + 1);
  };
  return path.HasExact() ? platform::Path(folder(path.ansi), folder(path.exact))
                         : platform::Path(folder(path.ansi));
}

}  // namespace nexolant::win32
