#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/locale.h"
#include "platform/string_list.h"

namespace nexolant {

// One section of an INI image: its name and its stored lines ("key=value", untrimmed).
struct TSection {
  std::string name;
  StringList lines;
};

// The sections of an INI image in file order (never sorted), with a last-found index where
// name searches start. Names compare case-insensitively by the locale.
class TSectionList {
 public:
  explicit TSectionList(const platform::Locale& locale) : locale_(&locale) {}

  int Count() const { return static_cast<int>(sections_.size()); }
  TSection& operator[](int index) { return *sections_[index]; }
  const TSection& operator[](int index) const { return *sections_[index]; }

  TSection& Add(std::string name);
  // Both reset the last-found index to 0.
  void Delete(int index);
  void Clear();

  // Searches from the last-found index to the end, then from the start up to it, and
  // remembers a match as the new last-found index; -1 when absent.
  int IndexOf(std::string_view name);
  int LastFound() const { return lastFound_; }

  // Keeps only the first of several sections with the same name; the kept sections stay in
  // file order and lines of dropped sections are not merged.
  void DropDuplicateSections();

 private:
  const platform::Locale* locale_;
  std::vector<std::unique_ptr<TSection>> sections_;
  int lastFound_ = 0;
};

}  // namespace nexolant
