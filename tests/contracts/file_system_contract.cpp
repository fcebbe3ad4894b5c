#include "contracts/file_system_contract.h"

#include <algorithm>
#include <filesystem>
#include <random>

#include "fakes/memory_file_system.h"
#include "platform/portable/std_file_system.h"

namespace nexolant::contracts {
namespace {

namespace fs = std::filesystem;

class MemoryEnvironment {
 public:
  static constexpr bool kWindowsSemantics = true;

  // Marks a file in use for as long as it lives.
  class Lock {
   public:
    Lock(MemoryFileSystem& files, std::string path) : files_(files), path_(std::move(path)) {
      files_.SetInUse(path_);
    }
    ~Lock() { files_.SetInUse(path_, false); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

   private:
    MemoryFileSystem& files_;
    std::string path_;
  };

  MemoryEnvironment() { files_.AddFolder("D:\\Contract"); }

  platform::FileSystem& files() { return files_; }
  std::string Folder() { return "D:\\Contract\\"; }
  void SetAttributes(const std::string& path, std::uint32_t attributes) {
    files_.SetAttributes(path, attributes);
  }
  Lock HoldOpen(const std::string& path) { return Lock(files_, path); }
  void SetReadOnly(const std::string& path) {
    files_.SetAttributes(path, platform::kAttributeReadOnly);
  }
  bool ReadOnlyFilesRefuseWrites(const std::string&) { return true; }
  // Gives each name below the test's folder a short name: "~1" and its place in the path.
  std::string ShortPath(const std::string& path) {
    std::string longPath = Folder();
    std::string shortPath = Folder();
    for (std::size_t start = longPath.size(); start < path.size();) {
      const std::size_t end = std::min(path.find('\\', start), path.size());
      longPath = path.substr(0, end);
      shortPath.append("S").append(std::to_string(start)).append("~1");
      files_.AddShortName(longPath, shortPath.substr(shortPath.rfind('\\') + 1));
      shortPath += end < path.size() ? "\\" : "";
      start = end + 1;
    }
    return shortPath;
  }
  bool MakeFolderLink(const std::string& link, const std::string&) {
    files_.AddFolder(link);
    files_.SetAttributes(link, platform::kAttributeDirectory | platform::kAttributeReparsePoint);
    return true;
  }

 private:
  MemoryFileSystem files_;
};

// A fresh folder under the system's temporary folder, removed with everything in it.
class StdEnvironment {
 public:
  static constexpr bool kWindowsSemantics = false;

  StdEnvironment()
      : path_(fs::temp_directory_path() /
              ("nexolant-contract-" + std::to_string(std::random_device{}()))) {
    fs::create_directories(path_);
  }
  ~StdEnvironment() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  StdEnvironment(const StdEnvironment&) = delete;
  StdEnvironment& operator=(const StdEnvironment&) = delete;

  platform::FileSystem& files() { return files_; }
  std::string Folder() { return (path_ / "").string(); }
  void SetReadOnly(const std::string& path) {
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
  }
  bool MakeFolderLink(const std::string& link, const std::string& target) {
    std::error_code error;
    fs::create_directory_symlink(target, link, error);
    return !error;
  }

 private:
  fs::path path_;
  platform::StdFileSystem files_;
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, FileSystemContract, MemoryEnvironment);
INSTANTIATE_TYPED_TEST_SUITE_P(Std, FileSystemContract, StdEnvironment);

}  // namespace nexolant::contracts
