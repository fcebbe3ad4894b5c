#pragma once

#include <optional>
#include <string>

#include "platform/folder_browser.h"

namespace nexolant::win32 {

// SHBrowseForFolderA with the tree rooted at My Computer, the status line (BIF_STATUSTEXT) and
// no other flag: the classic dialog, without a "New folder" button, where any item can be
// confirmed. Owned by the active window and centred on the screen when it opens. Takes its
// own COM reference for the call.
class Win32FolderBrowser final : public platform::FolderBrowser {
 public:
  std::optional<std::string> Browse(const platform::FolderBrowseRequest& request) override;
};

}  // namespace nexolant::win32
