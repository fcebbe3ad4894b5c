#include "quarantine/quarantine_files.h"

namespace nexolant {

bool IsPlainFileName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of("\\/:") == std::string_view::npos;
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
