#include "quarantine/quarantine_files.h"

#include <algorithm>

#include "protection/device_names.h"

namespace nexolant {

bool IsPlainFileName(std::string_view name) {
  // The system drops a name's trailing dots and blanks, so such a name (and one of dots
  // alone) would reach another file than the one it spells.
  const auto isControl = [](char c) { return static_cast<unsigned char>(c) < 0x20; };
  return !name.empty() && !name.ends_with('.') && !name.ends_with(' ') &&
         name.find_first_of("\\/:*?\"<>|") == std::string_view::npos &&
         std::none_of(name.begin(), name.end(), isControl) && !protection::IsDeviceName(name);
}

bool IsAbsolutePath(std::string_view path) {
  const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  if (path.size() >= 2 && isLetter(path[0]) && path[1] == ':' &&
      (path.size() == 2 || path[2] == '\\')) {
    return true;
  }
  return path.size() > 2 && path.starts_with("\\\\") && path[2] != '\\';
}

std::string PathInFolder(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.ends_with('\\')) {
    path += '\\';
  }
  return path.append(name);
}

}  // namespace nexolant
