#include "quarantine/index_section.h"

#include <iterator>
#include <utility>

#include "platform/string_list.h"

namespace nexolant {

IndexSection::IndexSection(const platform::Locale& locale, std::string name)
    : name_(std::move(name)), byKey_(KeyLess{&locale}) {}

void IndexSection::Load(TBigIniFile& index) {
  lines_.clear();
  byKey_.clear();
  StringList stored;
  index.ReadSectionValues(name_, stored);
  for (const std::string& line : stored) {
    Add(std::string(TBigIniFile::KeyOf(line)), std::string(TBigIniFile::ValueOf(line)));
  }
}

const std::string* IndexSection::Find(std::string_view key) const {
  const auto found = byKey_.lower_bound(key);
  if (found == byKey_.end() || byKey_.key_comp()(key, found->first)) {
    return nullptr;
  }
  return &found->second->value;
}

void IndexSection::Add(std::string key, std::string value) {
  lines_.push_back({std::move(key), std::move(value)});
  const auto line = std::prev(lines_.end());
  byKey_.emplace(line->key, line);
}

void IndexSection::Remove(std::string_view key) {
  const auto found = byKey_.lower_bound(key);
  if (found == byKey_.end() || byKey_.key_comp()(key, found->first)) {
    return;
  }
  lines_.erase(found->second);
  byKey_.erase(found);
}

void IndexSection::Store(TBigIniFile& index) const {
  StringList stored;
  stored.reserve(lines_.size());
  for (const Line& line : lines_) {
    stored.push_back(line.key + "=" + line.value);
  }
  index.ReplaceSection(name_, stored);
}

}  // namespace nexolant
