#pragma once

#include <string>
#include <vector>

namespace nexolant::ui {

// One item of a shortcut menu; "&" marks its access key.
struct MenuItem {
  std::string caption;
  bool enabled = true;
};

using MenuItems = std::vector<MenuItem>;

// What ShowPopupMenu returns when the menu was dismissed without a choice.
inline constexpr int kNoMenuChoice = -1;

}  // namespace nexolant::ui
