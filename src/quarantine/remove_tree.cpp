#include "quarantine/remove_tree.h"

#include <memory>
#include <vector>

namespace nexolant {
namespace {

// The bits a program may set; the others describe the entry and are not its to change.
constexpr std::uint32_t kSettableAttributes =
    platform::kAttributeReadOnly | platform::kAttributeHidden | platform::kAttributeSystem |
    platform::kAttributeArchive;

// The exact names of a folder's entries: a name the code page cannot hold is reached only so.
std::vector<std::string> ExactEntryNames(platform::FileSystem& files, const std::string& folder) {
  std::vector<std::string> names;
  const std::unique_ptr<platform::DirectorySearch> search = files.OpenExactSearch(folder + "\\*");
  while (search) {
    const std::optional<platform::FindData> found = search->Next();
    if (!found) {
      break;
    }
    if (found->name != "." && found->name != "..") {
      names.push_back(found->exactName.empty() ? files.ExactSpelling(found->name)
                                               : found->exactName);
    }
  }
  return names;
}

bool RemoveExactTree(platform::FileSystem& files, const std::string& path) {
  const std::optional<std::uint32_t> attributes = files.ExactAttributes(path);
  if (!attributes) {
    return true;
  }
  if ((*attributes & platform::kAttributeReadOnly) != 0) {
    const std::uint32_t writable =
        *attributes & kSettableAttributes & ~platform::kAttributeReadOnly;
    files.ChangeExactAttributes(path, writable != 0 ? writable : platform::kAttributeNormal);
  }
  const bool folder = (*attributes & platform::kAttributeDirectory) != 0;
  if (folder && (*attributes & platform::kAttributeReparsePoint) == 0) {
    bool allGone = true;
    for (const std::string& name : ExactEntryNames(files, path)) {
      allGone = RemoveExactTree(files, path + "\\" + name) && allGone;
    }
    if (!allGone) {
      return false;
    }
  }
  return static_cast<bool>(folder ? files.RemoveExactFolder(path) : files.RemoveExactFile(path));
}

}  // namespace

bool RemoveTree(platform::FileSystem& files, const std::string& path) {
  return RemoveExactTree(files, files.ExactSpelling(path));
}

}  // namespace nexolant
