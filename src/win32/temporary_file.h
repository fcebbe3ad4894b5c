#pragma once

#include <windows.h>

#include <string>
#include <utility>

namespace nexolant::win32 {

// A file that is deleted at the end of the scope unless kept.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
  ~TemporaryFile() {
    if (!path_.empty()) {
      DeleteFileA(path_.c_str());
    }
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  const std::string& path() const { return path_; }
  void Keep() { path_.clear(); }

 private:
  std::string path_;
};

// The folder part of a path with its final separator; "." for a bare name. A temporary file
// made there can replace the target by a rename.
inline std::string FolderOf(const std::string& path) {
  const std::size_t separator = path.find_last_of("\\/");
  return separator == std::string::npos ? "." : path.substr(0, separator + 1);
}

}  // namespace nexolant::win32
