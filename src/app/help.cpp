#include "app/help.h"

namespace nexolant {

platform::Path HelpFilePath(const platform::Path& programFolder) {
  return programFolder + "Nexolant.chm";
}

void OpenHelp(platform::Shell& shell, const platform::Path& programFolder) {
  shell.Open(HelpFilePath(programFolder));
}

}  // namespace nexolant
