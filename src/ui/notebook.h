#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/control.h"

namespace nexolant::ui {

class Notebook;

// One page of a notebook: it owns the controls shown while it is selected. A page covers the
// notebook's client area.
class NotebookPage : public Container {
 public:
  NotebookPage(Notebook& notebook, std::string caption, int index)
      : notebook_(&notebook), caption_(std::move(caption)), index_(index) {}

  Notebook& Owner() const { return *notebook_; }
  const std::string& Caption() const { return caption_; }
  int Index() const { return index_; }

  Form& OwnerForm() const override;
  bool ContentShowing() const override;
  const ui::Font& ChildFont() const override;

 private:
  Notebook* notebook_;
  std::string caption_;
  int index_;
};

// Pages shown one at a time. The first page added is selected.
class Notebook : public Control {
 public:
  Notebook(Container& parent, std::string name)
      : Control(&parent, std::move(name), ControlKind::kNotebook) {}

  NotebookPage& AddPage(std::string caption);
  int PageCount() const { return static_cast<int>(pages_.size()); }
  NotebookPage& Page(int index) const { return *pages_.at(index); }
  // The page of that caption, or null.
  NotebookPage* FindPage(std::string_view caption) const;

  int PageIndex() const { return pageIndex_; }
  // An index outside the pages is ignored.
  void SetPageIndex(int index);
  NotebookPage* ActivePage() const;

 private:
  std::vector<std::unique_ptr<NotebookPage>> pages_;
  int pageIndex_ = -1;
};

}  // namespace nexolant::ui
