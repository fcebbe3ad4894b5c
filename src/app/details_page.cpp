#include "app/details_page.h"

#include "ui/control_table.h"

namespace nexolant {

DetailsPage::DetailsPage(ui::NotebookPage& page)
    : DetailsMemo_(&page.Add<ui::Memo>("DetailsMemo")) {
  DetailsMemo_->SetBounds({8, 8, 487, 225});
  DetailsMemo_->SetColor(panel_colors::kPanel);
  DetailsMemo_->SetFont({.face = "Courier New", .height = 13});
  DetailsMemo_->SetReadOnly(true);
  DetailsMemo_->SetWordWrap(false);
  DetailsMemo_->SetScrollBars(ui::ScrollBars::kNone);
}

}  // namespace nexolant
