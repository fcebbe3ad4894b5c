#include "update/reference_limits.h"

#include <string>

#include "ini/big_ini_file.h"
#include "ini/ini_lines.h"
#include "reference/crypt.h"

namespace nexolant {

bool IsWithinReferenceLimits(std::string_view contents) {
  const std::string plain = DecipherReferenceText(contents);
  std::size_t sections = 0;
  std::size_t entries = 0;
  bool within = true;
  ReadIniLines(
      plain, TBigIniFile::kMaxText,
      [&](const std::string&) {
        within = within && ++sections <= kMaxReferenceSections;
        entries = 0;
      },
      [&](const std::string&) { within = within && ++entries <= kMaxReferenceSectionEntries; });
  return within;
}

}  // namespace nexolant
