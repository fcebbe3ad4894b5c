#include "scan/t_recurse_dir.h"

#include <memory>
#include <optional>

#include "platform/raise.h"

namespace nexolant {

bool TRecurseDir::Run() {
  WalkFolder(directory_, recurseSubDirs_, mask_, nullptr);
  Raise(OnEnd, *this);
  return !stopped_;
}

void TRecurseDir::WalkFolder(platform::Path folder, bool recurse, const std::string& mask,
                             const platform::FindData* entry) {
  if (stopped_ || (SkipFolder && SkipFolder(folder, entry))) {
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
    const std::optional<platform::FindData> found = search->Next();
    if (!found) {
      break;
    }
    platform::Path path = files_.Join(folder, platform::Path(found->name, found->exactName));
    if (found->attributes == platform::kAttributeDirectory) {
      if (recurse && found->name != "." && found->name != "..") {
        WalkFolder(std::move(path), recurse, mask, &*found);
      }
    } else if (OnFileFound) {
      exactFileName_ = std::move(path.exact);
      foundEntry_ = &*found;
      OnFileFound(*this, path.ansi);
      foundEntry_ = nullptr;
      exactFileName_.clear();
    }
  }
}

}  // namespace nexolant
