#pragma once

#include "platform/shell.h"

namespace nexolant::win32 {

// ShellExecute's "open", shown normally, with the active window as the calling window (the
// window whose button or link asked for it). Takes its own COM reference for the call, so
// shell extensions find COM initialised on any thread.
class Win32Shell final : public platform::Shell {
 public:
  platform::Outcome Open(const platform::Path& target) override;
};

}  // namespace nexolant::win32
