#pragma once

#include <list>
#include <map>
#include <string>
#include <string_view>

#include "ini/big_ini_file.h"
#include "platform/locale.h"

namespace nexolant {

// One section of the quarantine index, held as the INI engine holds it (its lines in file
// order, keys compared case-insensitively by the locale), but looked up through a sorted
// index instead of a walk over the section, and written back in one step: the quarantine
// may hold tens of thousands of entries.
class IndexSection {
 public:
  struct Line {
    std::string key;
    std::string value;
  };

  IndexSection(const platform::Locale& locale, std::string name);
  IndexSection(const IndexSection&) = delete;
  IndexSection& operator=(const IndexSection&) = delete;

  const std::string& Name() const { return name_; }
  const std::list<Line>& Lines() const { return lines_; }
  bool Empty() const { return lines_.empty(); }

  // Takes the section's lines from the index.
  void Load(TBigIniFile& index);
  // The value of the first line of that key, or null.
  const std::string* Find(std::string_view key) const;
  // Appends a line.
  void Add(std::string key, std::string value);
  // Removes the first line of that key, if there is one.
  void Remove(std::string_view key);
  // Puts the lines into the index in place of the section's.
  void Store(TBigIniFile& index) const;

 private:
  // Orders keys as the engine compares them, so that equal keys are equivalent.
  struct KeyLess {
    using is_transparent = void;
    const platform::Locale* locale;
    bool operator()(std::string_view a, std::string_view b) const {
      return locale->CompareText(a, b) < 0;
    }
  };

  std::string name_;
  std::list<Line> lines_;
  // Equal keys keep the order they were added in, which is their order in the section.
  std::multimap<std::string, std::list<Line>::iterator, KeyLess> byKey_;
};

}  // namespace nexolant
