#pragma once

#include "platform/string_list.h"
#include "ui/memo.h"
#include "ui/notebook.h"

namespace nexolant {

// Page 5: the summary the reference load wrote.
class DetailsPage {
 public:
  explicit DetailsPage(ui::NotebookPage& page);

  void ShowDetails(StringList lines) { DetailsMemo_->SetLines(std::move(lines)); }

  const ui::Memo& DetailsMemo() const { return *DetailsMemo_; }

 private:
  ui::Memo* DetailsMemo_ = nullptr;
};

}  // namespace nexolant
