#include "ui/notebook.h"

namespace nexolant::ui {

Form& NotebookPage::OwnerForm() const {
  return notebook_->OwnerForm();
}

bool NotebookPage::ContentShowing() const {
  return notebook_->PageIndex() == index_ && notebook_->Showing();
}

const ui::Font& NotebookPage::ChildFont() const {
  return notebook_->Font();
}

NotebookPage& Notebook::AddPage(std::string caption) {
  pages_.push_back(std::make_unique<NotebookPage>(*this, std::move(caption), PageCount()));
  if (pageIndex_ < 0) {
    pageIndex_ = 0;
  }
  return *pages_.back();
}

NotebookPage* Notebook::FindPage(std::string_view caption) const {
  for (const auto& page : pages_) {
    if (page->Caption() == caption) {
      return page.get();
    }
  }
  return nullptr;
}

void Notebook::SetPageIndex(int index) {
  if (index >= 0 && index < PageCount()) {
    Update(pageIndex_, index, Property::kPageIndex);
  }
}

NotebookPage* Notebook::ActivePage() const {
  return pageIndex_ < 0 ? nullptr : pages_[pageIndex_].get();
}

}  // namespace nexolant::ui
