#pragma once

#include <string>

#include "platform/string_list.h"
#include "ui/control.h"

namespace nexolant::ui {

enum class ScrollBars { kNone, kHorizontal, kVertical, kBoth };

// A multi-line text box; its text is Lines() joined by CR LF.
class Memo : public Control {
 public:
  Memo(Container& parent, std::string name)
      : Control(&parent, std::move(name), ControlKind::kMemo) {}

  const StringList& Lines() const { return lines_; }
  void SetLines(StringList lines) { Update(lines_, std::move(lines), Property::kLines); }
  void Add(std::string line);
  void Clear() { SetLines({}); }
  std::string Text() const;

  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly) { Update(readOnly_, readOnly, Property::kReadOnly); }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wordWrap) { Update(wordWrap_, wordWrap, Property::kWordWrap); }
  ui::ScrollBars ScrollBars() const { return scrollBars_; }
  void SetScrollBars(ui::ScrollBars scrollBars) {
    Update(scrollBars_, scrollBars, Property::kScrollBars);
  }

 private:
  StringList lines_;
  bool readOnly_ = false;
  bool wordWrap_ = true;
  ui::ScrollBars scrollBars_ = ui::ScrollBars::kNone;
};

}  // namespace nexolant::ui
