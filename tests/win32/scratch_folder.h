#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

#include "win32/unique_handle.h"

namespace nexolant::win32 {

// A new, empty folder under the user's temporary folder, removed with everything in it at the
// end of the scope.
class ScratchFolder {
 public:
  ScratchFolder() {
    char base[MAX_PATH];
    char name[MAX_PATH];
    if (GetTempPathA(MAX_PATH, base) == 0 || GetTempFileNameA(base, "nxt", 0, name) == 0 ||
        !DeleteFileA(name) || !CreateDirectoryA(name, nullptr)) {
      throw std::runtime_error("cannot create a scratch folder");
    }
    path_ = std::string(name) + "\\";
  }
  ~ScratchFolder() { RemoveTree(path_); }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The folder with a trailing backslash.
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  static void RemoveTree(const std::string& folder) {
    RemoveContents(folder);
    RemoveDirectoryA(folder.c_str());
  }

  static void RemoveContents(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    const UniqueFindHandle search(FindFirstFileA((folder + "*").c_str(), &entry));
    if (search) {
      do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..") {
          continue;
        }
        const std::string path = folder + name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveTree(path + "\\");
        } else {
          DeleteFileA(path.c_str());
        }
      } while (FindNextFileA(search.get(), &entry));
    }
  }

  std::string path_;
};

}  // namespace nexolant::win32
