#pragma once

#include <string>

#include "platform/file_system.h"
#include "platform/folder_browser.h"
#include "platform/registry.h"

namespace nexolant {

// The status line's width in characters.
inline constexpr std::size_t kFolderStatusWidth = 50;

// The status line of the folder dialog for a selection: its path shortened to the line's
// width, or, for an item without a path, the shell's parsing name.
std::string FolderStatusText(const platform::FolderSelection& selection);

// The Select link's folder chooser: the system's browse-for-folder dialog with the
// instruction in the user's language (read once, when the chooser is made) and the folder
// last confirmed selected again when it opens.
class TPBFolderDialog {
 public:
  TPBFolderDialog(platform::FolderBrowser& browser, platform::FileSystem& files,
                  platform::Registry& registry);

  // The folder selected when the dialog opens, if it exists; after a confirmed choice, that
  // choice (empty for an item without a file-system path).
  const std::string& Folder() const { return folder_; }
  const std::string& Instruction() const { return instruction_; }

  // Shows the dialog; true when the user confirmed a selection, which Folder() then holds.
  // On Cancel Folder() stays as it was.
  bool Execute();

 private:
  platform::FolderBrowser& browser_;
  platform::FileSystem& files_;
  std::string folder_ = "Choose Path to Scan";
  std::string instruction_;
};

}  // namespace nexolant
