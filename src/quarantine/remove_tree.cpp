#include "quarantine/remove_tree.h"

#include <memory>
#include <vector>

namespace nexolant {
namespace {

// The bits a program may set; the others describe the entry and are not its to change.
constexpr std::uint32_t kSettableAttributes =
    platform::kAttributeReadOnly | platform::kAttributeHidden | platform::kAttributeSystem |
    platform::kAttributeArchive;

// The entries of a folder, each as a path below it: a name the code page cannot hold is
// reached only through its exact spelling.
std::vector<platform::Path> EntryPaths(platform::FileSystem& files, const platform::Path& folder) {
  std::vector<platform::Path> paths;
  const platform::Path inside = folder + "\\";
  const std::unique_ptr<platform::DirectorySearch> search = files.OpenSearch(inside + "*");
  while (search) {
    const std::optional<platform::FindData> found = search->Next();
    if (!found) {
      break;
    }
    if (found->name != "." && found->name != "..") {
      paths.push_back(files.Join(inside, platform::Path(found->name, found->exactName)));
    }
  }
  return paths;
}

bool RemoveExactTree(platform::FileSystem& files, const platform::Path& path) {
  const std::optional<std::uint32_t> attributes = files.FileAttributes(path);
  if (!attributes) {
    return true;
  }
  if ((*attributes & platform::kAttributeReadOnly) != 0) {
    const std::uint32_t writable =
        *attributes & kSettableAttributes & ~platform::kAttributeReadOnly;
    // Should this fail, the removal below fails and says so.
    platform::BestEffort(
        files.ChangeAttributes(path, writable != 0 ? writable : platform::kAttributeNormal));
  }
  const bool folder = (*attributes & platform::kAttributeDirectory) != 0;
  if (folder && (*attributes & platform::kAttributeReparsePoint) == 0) {
    bool allGone = true;
    for (const platform::Path& entry : EntryPaths(files, path)) {
      allGone = RemoveExactTree(files, entry) && allGone;
    }
    if (!allGone) {
      return false;
    }
  }
  return static_cast<bool>(folder ? files.RemoveFolder(path) : files.RemoveFile(path));
}

}  // namespace

// The walk reaches every entry through its exact spelling, whatever its name, so that each
// call goes the same way at every depth of the tree.
bool RemoveTree(platform::FileSystem& files, const platform::Path& path) {
  return RemoveExactTree(
      files, path.HasExact() ? path : platform::Path(path.ansi, files.ExactSpelling(path.ansi)));
}

}  // namespace nexolant
