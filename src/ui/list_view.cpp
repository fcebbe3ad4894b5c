#include "ui/list_view.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

#include "ui/form.h"

namespace nexolant::ui {
namespace {

int ByteCompare(std::string_view a, std::string_view b) {
  return a.compare(b);
}

}  // namespace

ListView::ListView(Container& parent, std::string name)
    : Control(&parent, std::move(name), ControlKind::kListView), compare_(ByteCompare) {}

void ListView::AddColumn(std::string caption, int width) {
  columns_.push_back({std::move(caption), width});
  Changed(Property::kColumns);
}

void ListView::SetColumnWidth(int column, int width) {
  ListColumn& target = columns_.at(column);
  Update(target.width, width, Property::kColumns);
}

void ListView::SetSorted(bool sorted) {
  sorted_ = sorted;
  if (sorted_) {
    Sort();
  }
}

void ListView::SetCompare(TextCompare compare) {
  compare_ = compare ? std::move(compare) : TextCompare(ByteCompare);
  if (sorted_) {
    Sort();
  }
}

int ListView::Add(std::string caption, StringList subItems) {
  const int index = sorted_ ? SortedPosition(caption) : Count();
  items_.insert(items_.begin() + index, ListItem{std::move(caption), std::move(subItems)});
  if (itemIndex_ >= index) {
    ++itemIndex_;
  }
  Notify(ListChange::Kind::kInserted, index);
  return index;
}

int ListView::SetItemCaption(int index, std::string caption) {
  CheckIndex(index);
  if (items_[index].caption == caption) {
    return index;
  }
  if (!sorted_) {
    items_[index].caption = std::move(caption);
    Notify(ListChange::Kind::kChanged, index);
    return index;
  }
  // Taken out and put back in its sorted place, keeping the selection on it.
  const bool selected = itemIndex_ == index;
  ListItem item = std::move(items_[index]);
  item.caption = std::move(caption);
  Delete(index);
  const int newIndex = Add(std::move(item.caption), std::move(item.subItems));
  if (selected) {
    SetItemIndex(newIndex);
  }
  return newIndex;
}

void ListView::SetSubItem(int index, int subItem, std::string text) {
  CheckIndex(index);
  if (subItem < 0) {
    throw std::out_of_range("List sub-item index out of bounds");
  }
  StringList& subItems = items_[index].subItems;
  if (static_cast<int>(subItems.size()) <= subItem) {
    subItems.resize(subItem + 1);
  } else if (subItems[subItem] == text) {
    return;
  }
  subItems[subItem] = std::move(text);
  Notify(ListChange::Kind::kChanged, index);
}

void ListView::Delete(int index) {
  CheckIndex(index);
  items_.erase(items_.begin() + index);
  if (itemIndex_ == index) {
    itemIndex_ = -1;
  } else if (itemIndex_ > index) {
    --itemIndex_;
  }
  Notify(ListChange::Kind::kDeleted, index);
}

void ListView::Clear() {
  if (items_.empty()) {
    return;
  }
  items_.clear();
  itemIndex_ = -1;
  Notify(ListChange::Kind::kCleared, -1);
}

void ListView::Assign(std::vector<ListItem> items) {
  items_ = std::move(items);
  const auto before = [this](const ListItem& a, const ListItem& b) {
    return compare_(a.caption, b.caption) < 0;
  };
  // Rows given in order, as a model sorted alike gives them, cost one comparison each.
  if (sorted_ && !std::is_sorted(items_.begin(), items_.end(), before)) {
    std::stable_sort(items_.begin(), items_.end(), before);
  }
  itemIndex_ = -1;
  Notify(ListChange::Kind::kReordered, -1);
}

int ListView::IndexOfCaption(std::string_view caption) const {
  for (int index = 0; index < Count(); ++index) {
    if (items_[index].caption == caption) {
      return index;
    }
  }
  return -1;
}

void ListView::SetItemIndex(int index) {
  if (index < -1 || index >= Count()) {
    index = -1;
  }
  Update(itemIndex_, index, Property::kItemIndex);
}

void ListView::BeginUpdate() {
  if (++updateDepth_ == 1) {
    Changed(Property::kUpdating);
  }
}

void ListView::EndUpdate() {
  if (updateDepth_ > 0 && --updateDepth_ == 0) {
    Changed(Property::kUpdating);
  }
}

bool ListView::SelectByUser(int index) {
  if (!AcceptsInput() || index < -1 || index >= Count()) {
    return false;
  }
  Update(itemIndex_, index, Property::kItemIndex);
  return true;
}

void ListView::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) {
    throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  }
}

int ListView::SortedPosition(std::string_view caption) const {
  const auto place = std::upper_bound(items_.begin(), items_.end(), caption,
                                      [this](std::string_view value, const ListItem& item) {
                                        return compare_(value, item.caption) < 0;
                                      });
  return static_cast<int>(place - items_.begin());
}

void ListView::Sort() {
  std::vector<int> order(items_.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
    return compare_(items_[a].caption, items_[b].caption) < 0;
  });
  if (std::is_sorted(order.begin(), order.end())) {
    return;
  }
  std::vector<ListItem> sorted;
  sorted.reserve(items_.size());
  int newSelection = -1;
  for (int position = 0; position < static_cast<int>(order.size()); ++position) {
    if (order[position] == itemIndex_) {
      newSelection = position;
    }
    sorted.push_back(std::move(items_[order[position]]));
  }
  items_ = std::move(sorted);
  itemIndex_ = newSelection;
  Notify(ListChange::Kind::kReordered, -1);
}

void ListView::Notify(ListChange::Kind kind, int index) {
  if (ControlObserver* observer = OwnerForm().Observer()) {
    observer->ListChanged(*this, ListChange{kind, index});
  }
}

}  // namespace nexolant::ui
