#include "app/help.h"

namespace nexolant {

platform::Path HelpFilePath(const platform::Path& programFolder) {
  return programFolder + "Nexolant.chm";
}

void OpenHelp(platform::Shell& shell, const platform::Path& programFolder) {
  // A missing file or viewer is the shell's to report, as it does.
  platform::BestEffort(shell.Open(HelpFilePath(programFolder)));
}

}  // namespace nexolant
