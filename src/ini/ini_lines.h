#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace nexolant {

// Reads INI text line by line as the INI engine stores it: up to the first end-of-file mark
// (Ctrl+Z), each line without its carriage returns and cut to maxText characters. A line
// "[name]" starts a section: onSection(std::string name). A line holding "=" after the first
// section header is an entry of the latest section: onEntry(const std::string& line). Every
// other line is ignored.
template <typename OnSection, typename OnEntry>
void ReadIniLines(std::string_view text, std::size_t maxText, OnSection onSection,
                  OnEntry onEntry) {
  text = text.substr(0, text.find('\x1A'));
  bool inSection = false;
  std::string line;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t lineFeed = std::min(text.find('\n', start), text.size());
    line.clear();
    for (std::size_t pos = start; pos < lineFeed && line.size() < maxText; ++pos) {
      if (text[pos] != '\r') {
        line.push_back(text[pos]);
      }
    }
    start = lineFeed + 1;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      onSection(line.substr(1, line.size() - 2));
      inSection = true;
    } else if (inSection && line.find('=') != std::string::npos) {
      onEntry(line);
    }
  }
}

}  // namespace nexolant
