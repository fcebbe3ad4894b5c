#include "ui/combo_box.h"

#include "platform/raise.h"

namespace nexolant::ui {

void ComboBox::SetItems(StringList items) {
  if (Update(items_, std::move(items), Property::kItems)) {
    Update(itemIndex_, -1, Property::kItemIndex);
  }
}

void ComboBox::SetItemIndex(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) {
    index = -1;
  }
  Update(itemIndex_, index, Property::kItemIndex);
}

std::string ComboBox::Text() const {
  return itemIndex_ < 0 ? std::string() : items_[itemIndex_];
}

bool ComboBox::SelectByUser(int index) {
  if (!AcceptsInput() || index < 0 || index >= static_cast<int>(items_.size())) {
    return false;
  }
  Update(itemIndex_, index, Property::kItemIndex);
  Raise(OnChange, *this);
  return true;
}

}  // namespace nexolant::ui
