#include "ui/list_view.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

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

void ListView::SetChecked(int index, bool checked) {
  CheckIndex(index);
  if (items_[index].checked != checked) {
    items_[index].checked = checked;
    Notify(ListChange::Kind::kChanged, index);
  }
}

void ListView::Delete(int index) {
  CheckIndex(index);
  items_.erase(items_.begin() + index);
  std::erase(selection_, index);
  for (int& row : selection_) {
    row -= row > index ? 1 : 0;
  }
  Notify(ListChange::Kind::kDeleted, index);
}

void ListView::Clear() {
  if (items_.empty()) {
    return;
  }
  items_.clear();
  selection_.clear();
  Notify(ListChange::Kind::kCleared, -1);
}

void ListView::Assign(std::vector<ListItem> items) {
  items_ = std::move(items);
  selection_.clear();
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
  SetSelection(index < 0 || index >= Count() ? std::vector<int>{} : std::vector<int>{index});
}

void ListView::SetSelection(std::vector<int> rows) {
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  Update(selection_, std::move(rows), Property::kItemIndex);
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
  SetItemIndex(index);
  return true;
}

bool ListView::SelectRowsByUser(std::vector<int> rows) {
  if (!AcceptsInput() || !ValidRows(rows) || (!multiSelect_ && rows.size() > 1)) {
    return false;
  }
  SetSelection(std::move(rows));
  return true;
}

bool ListView::ToggleByUser(std::vector<int> rows) {
  if (!AcceptsInput() || !checkBoxes_ || rows.empty() || !ValidRows(rows)) {
    return false;
  }
  if (OnToggle) {
    OnToggle(*this, rows);
  }
  return true;
}

bool ListView::ContextMenuByUser() {
  if (!AcceptsInput()) {
    return false;
  }
  if (OnContextMenu) {
    OnContextMenu(*this);
  }
  return true;
}

bool ListView::DoubleClickByUser(int index) {
  if (!AcceptsInput() || index < 0 || index >= Count()) {
    return false;
  }
  if (OnDoubleClick) {
    OnDoubleClick(*this, index);
  }
  return true;
}

bool ListView::ValidRows(const std::vector<int>& rows) const {
  return std::all_of(rows.begin(), rows.end(),
                     [this](int row) { return row >= 0 && row < Count(); });
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
