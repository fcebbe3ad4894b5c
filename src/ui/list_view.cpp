#include "ui/list_view.h"

#include <stdexcept>

#include "ui/form.h"

namespace nexolant::ui {
ListView::ListView(Container& parent, std::string name)
    : Control(&parent, std::move(name), ControlKind::kListView) {}

void ListView::AddColumn(std::string caption, int width) {
  columns_.push_back({std::move(caption), width});
  Changed(Property::kColumns);
}

void ListView::SetColumnWidth(int column, int width) {
  ListColumn& target = columns_.at(column);
  Update(target.width, width, Property::kColumns);
}

int ListView::Add(std::string caption, StringList subItems) {
  const int index = Count();
  items_.push_back(ListItem{std::move(caption), std::move(subItems)});
  Notify(ListChange::Kind::kInserted, index);
  return index;
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

void ListView::Notify(ListChange::Kind kind, int index) {
  if (ControlObserver* observer = OwnerForm().Observer()) {
    observer->ListChanged(*this, ListChange{kind, index});
  }
}

}  // namespace nexolant::ui
