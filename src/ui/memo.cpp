#include "ui/memo.h"

namespace nexolant::ui {

void Memo::Add(std::string line) {
  lines_.push_back(std::move(line));
  Changed(Property::kLines);
}

std::string Memo::Text() const {
  std::string text;
  for (std::size_t index = 0; index < lines_.size(); ++index) {
    if (index > 0) {
      text += "\r\n";
    }
    text += lines_[index];
  }
  return text;
}

}  // namespace nexolant::ui
