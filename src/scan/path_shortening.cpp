#include "scan/path_shortening.h"

#include <algorithm>

namespace nexolant {

std::string ShortenPath(std::string_view path, std::size_t width) {
  const std::string_view cut = path.substr(0, width);
  if (path.size() <= width || path.find('\\') == std::string_view::npos) {
    return std::string(cut);
  }
  if (path.size() < 3 || std::count(path.begin() + 2, path.end(), '\\') <= 1) {
    return std::string(cut);
  }
  std::string result;
  std::string_view rest = path;
  // A path that starts with two backslashes keeps them before its first component.
  if (rest.find('\\') <= 1) {
    result = "\\\\";
    rest.remove_prefix(2);
  }
  const auto dropFirstComponent = [&rest] { rest.remove_prefix(rest.find('\\') + 1); };
  result.append(rest.substr(0, rest.find('\\') + 1));
  result += "...";
  dropFirstComponent();
  while (result.size() + rest.size() >= width && rest.find('\\') != std::string_view::npos) {
    dropFirstComponent();
  }
  std::string shown = result + "\\" + std::string(rest);
  if (result.size() + rest.size() >= width) {
    shown.resize(width - 3);
    shown += "...";
  }
  return shown;
}

}  // namespace nexolant
