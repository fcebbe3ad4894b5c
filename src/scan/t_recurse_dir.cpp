#include "scan/t_recurse_dir.h"

#include <memory>
#include <optional>

namespace nexolant {

bool TRecurseDir::Run() {
  WalkFolder(directory_, recurseSubDirs_, mask_);
  if (OnEnd) {
    OnEnd(*this);
  }
  return !stopped_;
}

void TRecurseDir::WalkFolder(std::string folder, bool recurse, const std::string& mask) {
  if (stopped_ || (SkipFolder && SkipFolder(folder))) {
    return;
  }
  if (OnDirFound) {
    OnDirFound(*this, folder);
  }
  if (folder.back() != '\\') {
    folder += '\\';
  }
  // The search closes on every way out, a failure in a handler included.
  const std::unique_ptr<platform::DirectorySearch> search = files_.OpenSearch(folder + mask);
  if (!search) {
    return;
  }
  while (!stopped_) {
    const std::optional<platform::FindData> entry = search->Next();
    if (!entry) {
      break;
    }
    if (entry->attributes == platform::kAttributeDirectory) {
      if (recurse && entry->name != "." && entry->name != "..") {
        WalkFolder(folder + entry->name, recurse, mask);
      }
    } else if (OnFileFound) {
      OnFileFound(*this, folder + entry->name);
    }
  }
}

}  // namespace nexolant
