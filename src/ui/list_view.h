#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/string_list.h"
#include "ui/control.h"

namespace nexolant::ui {

struct ListColumn {
  std::string caption;
  int width = 50;

  bool operator==(const ListColumn&) const = default;
};

// One row: the caption is the first column, sub-items are the following columns.
struct ListItem {
  std::string caption;
  StringList subItems;
  bool checked = false;  // shown in the row's check box, when the list has check boxes
};

// A list view in report style with whole-row selection, of one row unless several are allowed,
// and check boxes on the rows when asked for. It shows the rows in the order
// they are given and never reorders them, so a page that gives its model's rows in the model's
// order finds a row's entry at the row's index. Row changes go to ControlObserver::ListChanged;
// BeginUpdate/EndUpdate only bracket drawing.
class ListView : public Control {
 public:
  ListView(Container& parent, std::string name);

  const std::vector<ListColumn>& Columns() const { return columns_; }
  void AddColumn(std::string caption, int width);
  void SetColumnWidth(int column, int width);

  int Count() const { return static_cast<int>(items_.size()); }
  const ListItem& Item(int index) const { return items_.at(index); }
  const std::vector<ListItem>& Items() const { return items_; }
  // Adds a row at the end and returns its index.
  int Add(std::string caption, StringList subItems = {});
  // Sets sub-item `subItem` (0 is the second column) of a row, adding empty ones before it.
  void SetSubItem(int index, int subItem, std::string text);
  void Delete(int index);
  void Clear();
  // Replaces every row at once; the selection goes.
  void Assign(std::vector<ListItem> items);
  // The first row with exactly that caption, or -1.
  int IndexOfCaption(std::string_view caption) const;

  // Check boxes show each row's `checked`, which the owner sets from its model; a click on a
  // box or Space asks the owner through OnToggle and changes nothing by itself.
  bool CheckBoxes() const { return checkBoxes_; }
  void SetCheckBoxes(bool checkBoxes) { Update(checkBoxes_, checkBoxes, Property::kCheckBoxes); }
  void SetChecked(int index, bool checked);

  // Whether several rows may be selected at once.
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool multiSelect) {
    Update(multiSelect_, multiSelect, Property::kMultiSelect);
  }

  // The first selected row, or -1. Moves with the row when rows before it are deleted.
  int ItemIndex() const { return selection_.empty() ? -1 : selection_.front(); }
  void SetItemIndex(int index);
  // Every selected row, in ascending order.
  const std::vector<int>& Selection() const { return selection_; }

  void BeginUpdate();
  void EndUpdate();
  bool Updating() const { return updateDepth_ > 0; }

  // Input: the user selected a row (-1: clicked where there is none). Runs no event; the
  // renderer calls Click() for the click itself.
  bool SelectByUser(int index);
  // Input: the user selected these rows (Ctrl+A, Shift or Ctrl clicks), of a list that allows
  // several. Runs no event.
  bool SelectRowsByUser(std::vector<int> rows);
  // Input: the user clicked the check box of a row, or pressed Space on the selected rows.
  bool ToggleByUser(std::vector<int> rows);
  // Input: the user asked for the list's menu, with the mouse or from the keyboard.
  bool ContextMenuByUser();
  // Input: the user double-clicked a row.
  bool DoubleClickByUser(int index);

  std::function<void(ListView& sender, const std::vector<int>& rows)> OnToggle;
  Event OnContextMenu;
  std::function<void(ListView& sender, int index)> OnDoubleClick;

 private:
  void CheckIndex(int index) const;
  bool ValidRows(const std::vector<int>& rows) const;
  void SetSelection(std::vector<int> rows);
  void Notify(ListChange::Kind kind, int index);

  std::vector<ListColumn> columns_;
  std::vector<ListItem> items_;
  std::vector<int> selection_;
  bool checkBoxes_ = false;
  bool multiSelect_ = false;
  int updateDepth_ = 0;
};

// Suspends the drawing of a list's rows for the lifetime of a scope, also when a failure
// leaves it.
class ListUpdate {
 public:
  explicit ListUpdate(ListView& list) : list_(list) { list_.BeginUpdate(); }
  ~ListUpdate() { list_.EndUpdate(); }
  ListUpdate(const ListUpdate&) = delete;
  ListUpdate& operator=(const ListUpdate&) = delete;

 private:
  ListView& list_;
};

}  // namespace nexolant::ui
