#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <system_error>

namespace nexolant::testing {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed with everything in it.
class ScopedFolder {
 public:
  ScopedFolder() {
    std::random_device random;
    path_ = fs::temp_directory_path() / ("nexolant-test-" + std::to_string(random()));
    fs::create_directories(path_);
  }
  ~ScopedFolder() {
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
  }
  ScopedFolder(const ScopedFolder&) = delete;
  ScopedFolder& operator=(const ScopedFolder&) = delete;

  const fs::path& path() const { return path_; }
  // The folder with a trailing separator, as the program's folder names are written.
  std::string Prefix() const { return path_.string() + "/"; }
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
  fs::path path_;
};

}  // namespace nexolant::testing
