#pragma once

#include "platform/startup_services.h"

namespace nexolant::win32 {

// Shortcuts read with the shell's link object (IShellLinkW loaded through IPersistFile): the
// target as the link stores it, never resolved, so a target that moved is not searched for.
// Takes its own COM reference for the call.
class Win32Shortcuts final : public platform::Shortcuts {
 public:
  platform::ShortcutTarget TargetOf(const platform::Path& shortcut) override;
};

}  // namespace nexolant::win32
