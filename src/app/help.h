#pragma once

#include "platform/path.h"
#include "platform/shell.h"

namespace nexolant {

// The program's help file: programFolder (with its trailing backslash) + "Nexolant.chm".
platform::Path HelpFilePath(const platform::Path& programFolder);

// Asks the shell to open the help file. Whatever the shell makes of it, the program reports
// nothing: a missing file or viewer is the shell's to handle.
void OpenHelp(platform::Shell& shell, const platform::Path& programFolder);

}  // namespace nexolant
