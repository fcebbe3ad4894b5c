#include "ini/section_list.h"

#include <algorithm>
#include <numeric>

namespace nexolant {

TSection& TSectionList::Add(std::string name) {
  sections_.push_back(std::make_unique<TSection>(TSection{std::move(name), {}}));
  return *sections_.back();
}

void TSectionList::Delete(int index) {
  sections_.erase(sections_.begin() + index);
  lastFound_ = 0;
}

void TSectionList::Clear() {
  sections_.clear();
  lastFound_ = 0;
}

int TSectionList::IndexOf(std::string_view name) {
  const int count = Count();
  if (lastFound_ >= count) {
    lastFound_ = 0;
  }
  const auto matches = [&](int index) { return locale_->SameText(sections_[index]->name, name); };
  for (int index = lastFound_; index < count; ++index) {
    if (matches(index)) {
      return lastFound_ = index;
    }
  }
  for (int index = 0; index < lastFound_; ++index) {
    if (matches(index)) {
      return lastFound_ = index;
    }
  }
  return -1;
}

void TSectionList::DropDuplicateSections() {
  if (Count() < 2) {
    return;
  }
  // A stable sort keeps equal names in file order, so the first of each run is the one
  // that comes first in the file.
  std::vector<int> order(sections_.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return locale_->CompareText(sections_[a]->name, sections_[b]->name) < 0;
  });
  const std::string* kept = nullptr;
  for (int index : order) {
    if (kept != nullptr && locale_->SameText(*kept, sections_[index]->name)) {
      sections_[index].reset();
    } else {
      kept = &sections_[index]->name;
    }
  }
  std::erase(sections_, nullptr);
  lastFound_ = 0;
}

}  // namespace nexolant
