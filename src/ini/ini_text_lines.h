#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace nexolant {

// One line of an INI text, numbered from 1.
struct IniTextLine {
  int number = 0;
  std::string text;        // as the INI engine reads it: CRs dropped, cut to 255 characters
  std::size_t length = 0;  // its length before the cut
};

struct IniText {
  std::vector<IniTextLine> lines;  // every line up to the end or the first Ctrl-Z
  int unreadFromLine = 0;          // the line of a Ctrl-Z that has text after it, else 0
};

// Splits text into lines by the INI engine's reading rules, keeping the line numbers that an
// editor shows, so that a review can point at the lines the engine will see.
IniText SplitIniText(std::string_view text);

}  // namespace nexolant
