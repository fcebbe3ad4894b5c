#include <array>
#include <string_view>

#include "ui/artwork_names.h"
#include "ui/control_table.h"
#include "app/pages/pages.h"
#include "ui/list_view.h"

namespace nexolant {
namespace {

using ui::ControlKind;

const std::array kQuarantineRows = std::to_array<ControlRow>({
    {.name = "lblQuarantineHeading",
     .kind = ControlKind::kLabel,
     .bounds = {16, 8, 0, 0},
     .caption = "Items in quarantine",
     .font = &fonts::kWindowBold},
    {.name = "shpQuarantineBand",
     .kind = ControlKind::kShape,
     .bounds = {16, 24, 473, 25},
     .color = panel_colors::kPanel},
    {.name = "imgQuarantine",
     .kind = ControlKind::kImage,
     .bounds = {19, 26, 21, 21},
     .picture = artwork::kQuarantinePageIcon},
    {.name = "lblQuarantine",
     .kind = ControlKind::kLabel,
     .bounds = {42, 30, 0, 0},
     .caption = "There are currently no objects in quarantine"},
    {.name = "Quarantine",
     .kind = ControlKind::kListView,
     .bounds = {16, 56, 473, 153},
     .color = panel_colors::kPanel},
    {.name = "btnRestore",
     .kind = ControlKind::kButton,
     .bounds = {16, 212, 113, 23},
     .caption = "Restore",
     .picture = artwork::kGlyphRestore,
     .enabled = false},
    {.name = "btnEmpty",
     .kind = ControlKind::kButton,
     .bounds = {344, 212, 145, 23},
     .caption = "Empty Quarantine",
     .picture = artwork::kGlyphEmpty,
     .enabled = false},
});

}  // namespace

void BuildQuarantinePage(ui::NotebookPage& page, const platform::Locale& locale) {
  BuildControls(page, kQuarantineRows);
  auto& quarantine = Named<ui::ListView>(page, "Quarantine");
  quarantine.AddColumn("Name", 150);
  quarantine.AddColumn("Type", 150);
  quarantine.AddColumn("Original location", 169);
  quarantine.SetCompare(
      [&locale](std::string_view a, std::string_view b) { return locale.CompareText(a, b); });
  quarantine.SetSorted(true);
}

}  // namespace nexolant
