#include <array>

#include "ui/artwork_names.h"
#include "ui/control_table.h"
#include "app/pages/pages.h"
#include "ui/list_view.h"

namespace nexolant {
namespace {

using ui::ControlKind;

const std::array kReportRows = std::to_array<ControlRow>({
    {.name = "lblReportHeading",
     .kind = ControlKind::kLabel,
     .bounds = {16, 8, 0, 0},
     .caption = "Scan report",
     .font = &fonts::kWindowBold},
    {.name = "Report",
     .kind = ControlKind::kListView,
     .bounds = {16, 24, 473, 185},
     .color = panel_colors::kPanel},
    {.name = "btnCancel",
     .kind = ControlKind::kButton,
     .bounds = {16, 213, 97, 23},
     .caption = "Cancel",
     .picture = artwork::kGlyphCancel},
    {.name = "btnRepair",
     .kind = ControlKind::kButton,
     .bounds = {384, 213, 105, 23},
     .caption = "Repair",
     .picture = artwork::kGlyphRepair},
});

}  // namespace

void BuildReportPage(ui::NotebookPage& page, const platform::Locale& /*locale*/) {
  BuildControls(page, kReportRows);
  auto& report = Named<ui::ListView>(page, "Report");
  report.AddColumn("Filename", 100);
  report.AddColumn("Location", 150);
  report.AddColumn("Description", 219);
}

}  // namespace nexolant
