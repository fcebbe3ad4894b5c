#include "scan/t_recurse_dir.h"

#include <memory>
#include <optional>

#include "platform/raise.h"

namespace nexolant {

bool TRecurseDir::Run() {
  WalkFolder(directory_, recurseSubDirs_, mask_);
  Raise(OnEnd, *this);
  return !stopped_;
}

void TRecurseDir::WalkFolder(platform::Path folder, bool recurse, const std::string& mask) {
  if (stopped_ || (SkipFolder && SkipFolder(folder.ansi))) {
    return;
  }
  Raise(OnDirFound, *this, folder.ansi);
  if (folder.ansi.back() != '\\') {
    folder = folder + "\\";
  }
  // The search closes on every way out, a failure in a handler included.
  const std::unique_ptr<platform::DirectorySearch> search =
      files_.OpenSearch(files_.Join(folder, mask));
  if (!search) {
    return;
  }
  while (!stopped_) {
    const std::optional<platform::FindData> entry = search->Next();
    if (!entry) {
      break;
    }
    platform::Path path = files_.Join(folder, platform::Path(entry->name, entry->exactName));
    if (entry->attributes == platform::kAttributeDirectory) {
      if (recurse && entry->name != "." && entry->name != "..") {
        WalkFolder(std::move(path), recurse, mask);
      }
    } else if (OnFileFound) {
      exactFileName_ = std::move(path.exact);
      OnFileFound(*this, path.ansi);
      exactFileName_.clear();
    }
  }
}

}  // namespace nexolant
