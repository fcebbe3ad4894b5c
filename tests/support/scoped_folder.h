#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <system_error>

namespace nexolant::testing {

namespace fs = std::filesystem;

// A new, empty folder under the system's temporary folder, removed with everything in it at
// the end of the scope, read-only files and folders included.
class ScopedFolder {
 public:
  ScopedFolder() {
    std::random_device random;
    const fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
      fs::path candidate = base / ("nexolant-test-" + std::to_string(random()));
      if (fs::create_directory(candidate)) {
        path_ = std::move(candidate);
        return;
      }
    }
    throw std::runtime_error("cannot create a scoped folder in " + base.string());
  }
  ~ScopedFolder() {
    std::error_code ignored;
    MakeWritable(path_, ignored);
    for (fs::recursive_directory_iterator entry(path_, ignored), end; entry != end;
         entry.increment(ignored)) {
      if (!entry->is_symlink(ignored)) {
        MakeWritable(entry->path(), ignored);
      }
    }
    fs::remove_all(path_, ignored);
  }
  ScopedFolder(const ScopedFolder&) = delete;
  ScopedFolder& operator=(const ScopedFolder&) = delete;

  const fs::path& path() const { return path_; }
  // The folder with a trailing separator, as the program's folder names are written.
  std::string Prefix() const {
    return path_.string() + static_cast<char>(fs::path::preferred_separator);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

  void Put(const std::string& name, const std::string& content) const {
    std::ofstream(path_ / name, std::ios::binary) << content;
  }
  std::string Get(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

 private:
  // Before its contents are listed or removed; on Windows this clears the read-only attribute.
  static void MakeWritable(const fs::path& path, std::error_code& error) {
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, error);
  }

  fs::path path_;
};

}  // namespace nexolant::testing
