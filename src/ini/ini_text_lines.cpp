#include "ini/ini_text_lines.h"

#include <algorithm>

#include "ini/big_ini_file.h"

namespace nexolant {

IniText SplitIniText(std::string_view text) {
  IniText result;
  const std::size_t ctrlZ = text.find('\x1A');
  const std::string_view readable = text.substr(0, ctrlZ);
  if (ctrlZ != std::string_view::npos &&
      text.find_first_not_of("\x1A\r\n", ctrlZ) != std::string_view::npos) {
    result.unreadFromLine =
        1 + static_cast<int>(std::count(readable.begin(), readable.end(), '\n'));
  }
  int number = 0;
  std::size_t start = 0;
  while (start < readable.size()) {
    const std::size_t lineFeed = std::min(readable.find('\n', start), readable.size());
    IniTextLine line;
    line.number = ++number;
    for (std::size_t pos = start; pos < lineFeed; ++pos) {
      if (readable[pos] == '\r') {
        continue;
      }
      if (line.length < TBigIniFile::kMaxText) {
        line.text.push_back(readable[pos]);
      }
      ++line.length;
    }
    result.lines.push_back(std::move(line));
    start = lineFeed + 1;
  }
  return result;
}

}  // namespace nexolant
