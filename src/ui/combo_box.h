#pragma once

#include <string>

#include "platform/string_list.h"
#include "ui/control.h"

namespace nexolant::ui {

// A drop-down list that cannot be edited. SetItemIndex selects in code and runs no event;
// an index outside the items selects nothing (-1). A user's pick runs OnChange.
class ComboBox : public Control {
 public:
  ComboBox(Container& parent, std::string name)
      : Control(&parent, std::move(name), ControlKind::kComboBox) {}

  const StringList& Items() const { return items_; }
  // Replaces the items; the selection is cleared.
  void SetItems(StringList items);
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  // The selected item's text, or empty.
  std::string Text() const;

  Event OnChange;

  // Input: the user picked the item at index. Runs OnChange, even for the item already
  // selected. False when the control did not accept the input or index is out of range.
  bool SelectByUser(int index);

 private:
  StringList items_;
  int itemIndex_ = -1;
};

}  // namespace nexolant::ui
