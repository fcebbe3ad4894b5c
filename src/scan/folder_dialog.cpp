#include "scan/folder_dialog.h"

#include <optional>
#include <utility>

#include "scan/folder_dialog_language.h"
#include "scan/path_shortening.h"

namespace nexolant {

std::string FolderStatusText(const platform::FolderSelection& selection) {
  return selection.path.empty() ? selection.parsingName
                                : ShortenPath(selection.path, kFolderStatusWidth);
}

TPBFolderDialog::TPBFolderDialog(platform::FolderBrowser& browser, platform::FileSystem& files,
                                 platform::Registry& registry)
    : browser_(browser),
      files_(files),
      instruction_(FolderDialogInstruction(UserLanguageCode(registry))) {}

bool TPBFolderDialog::Execute() {
  platform::FolderBrowseRequest request{
      .instruction = instruction_,
      .initialFolder = !folder_.empty() && files_.FolderExists(folder_) ? folder_ : "",
      .statusText = FolderStatusText};
  std::optional<std::string> chosen = browser_.Browse(request);
  if (!chosen) {
    return false;
  }
  folder_ = std::move(*chosen);
  return true;
}

}  // namespace nexolant
