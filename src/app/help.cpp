#include "app/help.h"

namespace nexolant {

std::string HelpFilePath(const std::string& programFolder) {
  return programFolder + "Nexolant.chm";
}

void OpenHelp(platform::Shell& shell, const std::string& programFolder) {
  shell.Open(HelpFilePath(programFolder));
}

}  // namespace nexolant
