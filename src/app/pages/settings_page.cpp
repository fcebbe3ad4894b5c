#include <array>

#include "ui/control_table.h"
#include "app/pages/pages.h"
#include "ui/combo_box.h"

namespace nexolant {
namespace {

using ui::ControlKind;
constexpr ui::Color kPanel = panel_colors::kPanel;

// In tab order.
const std::array kSettingsRows = std::to_array<ControlRow>({
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
     .color = kPanel},
    {.name = "chkMinimize",
     .kind = ControlKind::kCheckBox,
     .bounds = {24, 48, 425, 17},
     .caption = "Minimize to system tray",
     .color = kPanel,
     .checked = true},
    {.name = "chkQuarantine",
     .kind = ControlKind::kCheckBox,
     .bounds = {24, 64, 457, 17},
     .caption = "Quarantine objects before removal",
     .color = kPanel,
     .checked = true},
    {.name = "chkDeepScanReg",
     .kind = ControlKind::kCheckBox,
     .bounds = {24, 80, 457, 17},
     .caption = "Deep scanning of registry",
     .color = kPanel,
     .checked = true},
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
     .checked = true},
    {.name = "chkAutoStartMonitor",
     .kind = ControlKind::kCheckBox,
     .bounds = {24, 136, 457, 17},
     .caption = "Automatically start when program starts",
     .color = kPanel},
    {.name = "Label31",
     .kind = ControlKind::kLabel,
     .bounds = {24, 156, 0, 0},
     .caption = "Choose how often processes are scanned:"},
    {.name = "comboSpeed",
     .kind = ControlKind::kComboBox,
     .bounds = {280, 151, 201, 21},
     .color = ui::Color::Window()},
});

}  // namespace

void BuildSettingsPage(ui::NotebookPage& page, const platform::Locale& /*locale*/) {
  BuildControls(page, kSettingsRows);
  auto& speed = Named<ui::ComboBox>(page, "comboSpeed");
  speed.SetItems({"Each 60 minutes", "Each 30 minutes", "Each 15 minutes", "Each 10 minutes",
                  "Each 5 minutes", "Each 3 minutes", "Each 1 minute", "Each 30 seconds",
                  "Each 10 seconds"});
  speed.SetItemIndex(8);
}

}  // namespace nexolant
