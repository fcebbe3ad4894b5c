#pragma once

#include <string>
#include <vector>

namespace nexolant::testing {

// Names in the system's default sort order for a Western locale, as groups of names that
// compare equal. Byte order would put them otherwise: upper case before lower case, "~"
// after "+", "Z" before "a", accented letters after "z".
inline const std::vector<std::vector<std::string>>& WordSortedNames() {
  static const std::vector<std::vector<std::string>> names = {
      {""},
      {"'"},
      {"-"},
      {" "},
      {"_"},
      {"0"},
      {"1"},
      {"10"},
      {"2"},
      {"a"},
      {"A"},
      {"\xE1"},  // á
      {"\xC1"},  // Á
      {"a b"},
      {"a.b"},
      {"a_b"},
      {"a~b"},
      {"a+b"},
      {"a1"},
      {"a10"},
      {"a2"},
      {"ab",
       "a\xAD"
       "b"},  // the soft hyphen counts for nothing
      {"a-b"},
      {"aB"},
      {"Ab"},
      {"AB"},
      {"abc"},
      {"ab-c"},
      {"a-bc"},  // the earlier hyphen weighs more
      {"ABC"},
      {"abd"},
      {"ae", "\xE6"},  // æ
      {"AE", "\xC6"},  // Æ
      {"C:\\Program Files (x86)\\a.exe"},
      {"C:\\Program Files\\a.exe"},
      {"coop"},
      {"co-op"},
      {"e"},
      {"\xE9"},  // é
      {"\xC9"},  // É
      {"HKEY_CURRENT_USER\\Software"},
      {"HKEY_LOCAL_MACHINE\\Software"},
      {"notepad.exe"},
      {"Notepad.exe"},
      {"NOTEPAD.EXE"},
      {"notepad2.exe"},
      {"ss", "\xDF"},  // ß
      {"SS"},
      {"th", "\xFE"},  // þ
      {"Th"},
      {"TH", "\xDE"},  // Þ
      {"z"},
      {"Z"},
      {"\x9E"},  // ž
      {"\x8E"},  // Ž
  };
  return names;
}

}  // namespace nexolant::testing
