#include "scan/report_page.h"

#include <array>

#include "ui/artwork_names.h"
#include "ui/control_table.h"
#include "ui/list_view.h"

namespace nexolant {
namespace {

using ui::ControlKind;

}  // namespace

ReportPage::ReportPage(ui::NotebookPage& page) {
  const auto rows = std::to_array<ControlRow>({
      {.name = "lblReportHeading",
       .kind = ControlKind::kLabel,
       .bounds = {16, 8, 0, 0},
       .caption = "Scan report",
       .font = &fonts::kWindowBold},
      {.name = "Report",
       .kind = ControlKind::kListView,
       .bounds = {16, 24, 473, 185},
       .color = panel_colors::kPanel,
       .slot = Report_},
      {.name = "btnCancel",
       .kind = ControlKind::kButton,
       .bounds = {16, 213, 97, 23},
       .caption = "Cancel",
       .picture = artwork::kGlyphCancel,
       .slot = btnCancel_},
      {.name = "btnRepair",
       .kind = ControlKind::kButton,
       .bounds = {384, 213, 105, 23},
       .caption = "Repair",
       .picture = artwork::kGlyphRepair,
       .slot = btnRepair_},
  });
  BuildControls(page, rows);
  Report_->AddColumn("Filename", 100);
  Report_->AddColumn("Location", 150);
  Report_->AddColumn("Description", 219);
}

}  // namespace nexolant
