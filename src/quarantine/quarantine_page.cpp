#include "quarantine/quarantine_page.h"

#include <array>
#include <string_view>

#include "ui/artwork_names.h"
#include "ui/control_table.h"
#include "ui/list_view.h"

namespace nexolant {
namespace {

using ui::ControlKind;

}  // namespace

QuarantinePage::QuarantinePage(ui::NotebookPage& page, const platform::Locale& locale) {
  const auto rows = std::to_array<ControlRow>({
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
       .caption = "There are currently no objects in quarantine",
       .slot = lblQuarantine_},
      {.name = "Quarantine",
       .kind = ControlKind::kListView,
       .bounds = {16, 56, 473, 153},
       .color = panel_colors::kPanel,
       .slot = Quarantine_},
      {.name = "btnRestore",
       .kind = ControlKind::kButton,
       .bounds = {16, 212, 113, 23},
       .caption = "Restore",
       .picture = artwork::kGlyphRestore,
       .enabled = false,
       .slot = btnRestore_},
      {.name = "btnEmpty",
       .kind = ControlKind::kButton,
       .bounds = {344, 212, 145, 23},
       .caption = "Empty Quarantine",
       .picture = artwork::kGlyphEmpty,
       .enabled = false,
       .slot = btnEmpty_},
  });
  BuildControls(page, rows);
  Quarantine_->AddColumn("Name", 150);
  Quarantine_->AddColumn("Type", 150);
  Quarantine_->AddColumn("Original location", 169);
  Quarantine_->SetCompare(
      [&locale](std::string_view a, std::string_view b) { return locale.CompareWordSort(a, b); });
  Quarantine_->SetSorted(true);
}

}  // namespace nexolant
