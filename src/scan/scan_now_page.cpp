#include "scan/scan_now_page.h"

#include <array>

#include "platform/raise.h"
#include "ui/artwork_names.h"
#include "ui/control_table.h"

namespace nexolant {
namespace {

using ui::ControlKind;

}  // namespace

ScanNowPage::ScanNowPage(ui::NotebookPage& page) {
  const auto rows = std::to_array<ControlRow>({
      {.name = "Label21",
       .kind = ControlKind::kLabel,
       .bounds = {16, 8, 0, 0},
       .caption = "Scan your system now",
       .font = &fonts::kWindowBold},
      {.name = "shpScanIntro",
       .kind = ControlKind::kShape,
       .bounds = {16, 24, 473, 25},
       .color = panel_colors::kPanel},
      {.name = "imgScanIntro",
       .kind = ControlKind::kImage,
       .bounds = {19, 26, 21, 21},
       .picture = artwork::kScanPageIcon},
      {.name = "Label22",
       .kind = ControlKind::kLabel,
       .bounds = {45, 30, 0, 0},
       .caption = "Please choose a scanning mode, then choose \"Next\" to continue"},
      {.name = "shpScanModeTitle",
       .kind = ControlKind::kShape,
       .bounds = {56, 56, 377, 25},
       .color = panel_colors::kPanel},
      {.name = "Label23",
       .kind = ControlKind::kLabel,
       .bounds = {64, 62, 0, 0},
       .caption = "Select scan mode:",
       .font = &fonts::kWindowBold},
      {.name = "shpScanModes",
       .kind = ControlKind::kShape,
       .bounds = {56, 88, 377, 105},
       .color = panel_colors::kPanel},
      {.name = "chkQuick",
       .kind = ControlKind::kRadioButton,
       .bounds = {72, 96, 353, 17},
       .caption = "Perform quick system check",
       .color = panel_colors::kPanel,
       .checked = choice_.mode == ScanMode::kQuick,
       .slot = chkQuick_},
      {.name = "chkComplete",
       .kind = ControlKind::kRadioButton,
       .bounds = {72, 120, 353, 17},
       .caption = "Perform complete system check",
       .color = panel_colors::kPanel,
       .slot = chkComplete_},
      {.name = "chkSelect",
       .kind = ControlKind::kRadioButton,
       .bounds = {72, 144, 313, 17},
       .caption = "Select drive or folder to scan",
       .color = panel_colors::kPanel,
       .slot = chkSelect_},
      {.name = "lblSelect",
       .kind = ControlKind::kLinkLabel,
       .bounds = {392, 144, 0, 0},
       .caption = "Select",
       .slot = lblSelect_},
      {.name = "shpScanRegistry",
       .kind = ControlKind::kShape,
       .bounds = {56, 168, 377, 25},
       .color = panel_colors::kPanel},
      {.name = "chkRegScan",
       .kind = ControlKind::kCheckBox,
       .bounds = {72, 172, 345, 17},
       .caption = "Scan registry",
       .color = panel_colors::kPanel,
       .checked = choice_.scanRegistry,
       .slot = chkRegScan_},
      {.name = "shpScanReady",
       .kind = ControlKind::kShape,
       .bounds = {16, 200, 473, 33},
       .color = panel_colors::kPanel},
      {.name = "Label24",
       .kind = ControlKind::kLabel,
       .bounds = {24, 210, 0, 0},
       .caption = "Ready."},
      {.name = "btnNext",
       .kind = ControlKind::kButton,
       .bounds = {386, 204, 97, 25},
       .caption = "Next",
       .picture = artwork::kGlyphNext,
       .slot = btnNext_},
  });
  BuildControls(page, rows);
  // A click has ticked the button or toggled the box, which showed the choice.
  chkQuick_->OnClick = [this](ui::Control&) { Choose(ScanMode::kQuick); };
  chkComplete_->OnClick = [this](ui::Control&) { Choose(ScanMode::kComplete); };
  chkSelect_->OnClick = [this](ui::Control&) { Choose(ScanMode::kChosenFolder); };
  chkRegScan_->OnClick = [this](ui::Control&) { choice_.scanRegistry = !choice_.scanRegistry; };
  btnNext_->OnClick = [this](ui::Control&) { Raise(OnNextClick); };
  lblSelect_->OnClick = [this](ui::Control&) {
    Choose(ScanMode::kChosenFolder);
    chkSelect_->SetChecked(true);
    Raise(OnSelectClick);
  };
}

}  // namespace nexolant
