#pragma once

#include <functional>
#include <optional>
#include <string>

namespace nexolant::platform {

// The item selected in a browse-for-folder dialog.
struct FolderSelection {
  std::string path = {};         // its file-system path; empty when it has none
  std::string parsingName = {};  // for an item without a path: the shell's parsing name, when
                                 // the shell gives it as plain text
};

struct FolderBrowseRequest {
  std::string instruction;    // the text above the tree
  std::string initialFolder;  // selected when the dialog opens; empty for none
  // The status line's text for the selection, asked each time the selection changes.
  std::function<std::string(const FolderSelection&)> statusText;
};

// The system's browse-for-folder dialog.
class FolderBrowser {
 public:
  virtual ~FolderBrowser() = default;

  // Shows the dialog modally over the active window, centred on the screen, with the system's
  // own title, the tree rooted at My Computer, the instruction, a status line, OK and Cancel
  // and no "New folder" button; any item may be confirmed. None when the user cancels or
  // closes it; otherwise the confirmed item's file-system path (a drive root with its final
  // backslash, any other folder without one), empty for an item that has none.
  virtual std::optional<std::string> Browse(const FolderBrowseRequest& request) = 0;
};

}  // namespace nexolant::platform
