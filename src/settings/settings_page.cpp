#include "settings/settings_page.h"

#include <array>

#include "ui/combo_box.h"
#include "ui/control_table.h"

namespace nexolant {
namespace {

using ui::ControlKind;
constexpr ui::Color kPanel = panel_colors::kPanel;

// In tab order.

}  // namespace

SettingsPage::SettingsPage(ui::NotebookPage& page) {
  const auto rows = std::to_array<ControlRow>({
      {.name = "Shape15", .kind = ControlKind::kShape, .bounds = {8, 8, 487, 225}, .color = kPanel},
      {.name = "Label29",
       .kind = ControlKind::kLabel,
       .bounds = {16, 16, 0, 0},
       .caption = "General options",
       .font = &fonts::kWindowBold},
      {.name = "chkStartup",
       .kind = ControlKind::kCheckBox,
       .bounds = {24, 32, 425, 17},
       .caption = "Start with Windows",
       .color = kPanel,
       .slot = chkStartup_},
      {.name = "chkMinimize",
       .kind = ControlKind::kCheckBox,
       .bounds = {24, 48, 425, 17},
       .caption = "Minimize to system tray",
       .color = kPanel,
       .checked = true,
       .slot = chkMinimize_},
      {.name = "chkQuarantine",
       .kind = ControlKind::kCheckBox,
       .bounds = {24, 64, 457, 17},
       .caption = "Quarantine objects before removal",
       .color = kPanel,
       .checked = true,
       .slot = chkQuarantine_},
      {.name = "chkDeepScanReg",
       .kind = ControlKind::kCheckBox,
       .bounds = {24, 80, 457, 17},
       .caption = "Deep scanning of registry",
       .color = kPanel,
       .checked = true,
       .slot = chkDeepScanReg_},
      {.name = "Label30",
       .kind = ControlKind::kLabel,
       .bounds = {16, 104, 0, 0},
       .caption = "Active monitoring",
       .font = &fonts::kWindowBold},
      {.name = "chkAutoTerminate",
       .kind = ControlKind::kCheckBox,
       .bounds = {24, 120, 457, 17},
       .caption = "Automatically terminate malicious processes",
       .color = kPanel,
       .checked = true,
       .slot = chkAutoTerminate_},
      {.name = "chkAutoStartMonitor",
       .kind = ControlKind::kCheckBox,
       .bounds = {24, 136, 457, 17},
       .caption = "Automatically start when program starts",
       .color = kPanel,
       .slot = chkAutoStartMonitor_},
      {.name = "Label31",
       .kind = ControlKind::kLabel,
       .bounds = {24, 156, 0, 0},
       .caption = "Choose how often processes are scanned:"},
      {.name = "comboSpeed",
       .kind = ControlKind::kComboBox,
       .bounds = {280, 151, 201, 21},
       .color = ui::Color::Window(),
       .slot = comboSpeed_},
  });
  BuildControls(page, rows);
  comboSpeed_->SetItems({"Each 60 minutes", "Each 30 minutes", "Each 15 minutes", "Each 10 minutes",
                         "Each 5 minutes", "Each 3 minutes", "Each 1 minute", "Each 30 seconds",
                         "Each 10 seconds"});
  comboSpeed_->SetItemIndex(8);
}

}  // namespace nexolant
