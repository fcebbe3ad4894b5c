#include "scan/t_recurse_dir.h"
#include "platform/raise.h"

#include <memory>
#include <optional>

namespace nexolant {

bool TRecurseDir::Run() {
  WalkFolder(directory_, {}, recurseSubDirs_, mask_);
  Raise(OnEnd, *this);
  return !stopped_;
}

void TRecurseDir::WalkFolder(std::string folder, std::string exactFolder, bool recurse,
                             const std::string& mask) {
  if (stopped_ || (SkipFolder && SkipFolder(folder))) {
    return;
  }
  Raise(OnDirFound, *this, folder);
  if (folder.back() != '\\') {
    folder += '\\';
  }
  if (!exactFolder.empty() && exactFolder.back() != '\\') {
    exactFolder += '\\';
  }
  // The search closes on every way out, a failure in a handler included.
  const std::unique_ptr<platform::DirectorySearch> search =
      exactFolder.empty() ? files_.OpenSearch(folder + mask)
                          : files_.OpenExactSearch(exactFolder + files_.ExactSpelling(mask));
  if (!search) {
    return;
  }
  while (!stopped_) {
    const std::optional<platform::FindData> entry = search->Next();
    if (!entry) {
      break;
    }
    std::string exactPath;
    if (!exactFolder.empty() || !entry->exactName.empty()) {
      exactPath = (exactFolder.empty() ? files_.ExactSpelling(folder) : exactFolder) +
                  (entry->exactName.empty() ? files_.ExactSpelling(entry->name) : entry->exactName);
    }
    if (entry->attributes == platform::kAttributeDirectory) {
      if (recurse && entry->name != "." && entry->name != "..") {
        WalkFolder(folder + entry->name, std::move(exactPath), recurse, mask);
      }
    } else if (OnFileFound) {
      exactFileName_ = std::move(exactPath);
      OnFileFound(*this, folder + entry->name);
      exactFileName_.clear();
    }
  }
}

}  // namespace nexolant
