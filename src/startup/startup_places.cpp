#include "startup/startup_places.h"

#include <string>

#include "platform/ascii.h"

namespace nexolant {

bool IsStartupValueKey(std::string_view fullPath) {
  const auto same = [fullPath](std::string_view root, std::string_view path) {
    return platform::AsciiEqualNoCase(fullPath, std::string(root) + "\\" + std::string(path));
  };
  for (std::size_t view = 0; view < 2; ++view) {
    for (std::size_t k = 0; k < kRunKeys.size(); ++k) {
      if ((view == 0 && same("HKEY_CURRENT_USER", kRunKeys[k])) ||
          same("HKEY_LOCAL_MACHINE", view == 0 ? kRunKeys[k] : kRunKeys32[k])) {
        return true;
      }
    }
    if (same("HKEY_LOCAL_MACHINE", kToolbarKeys[view])) {
      return true;
    }
  }
  return false;
}

}  // namespace nexolant
