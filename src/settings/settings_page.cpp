#include "settings/settings_page.h"

#include <array>

#include "platform/raise.h"
#include "settings/run_entry.h"
#include "ui/combo_box.h"
#include "ui/control_table.h"

namespace nexolant {
namespace {

using ui::ControlKind;
constexpr ui::Color kPanel = panel_colors::kPanel;
constexpr int kDefaultIntervalItem = 8;

}  // namespace

SettingsPage::SettingsPage(ui::NotebookPage& page, SettingsServices services)
    : services_(services), FormStorage_(services.profileStrings, LayOut(page)) {
  FormStorage_.ApplyDefaults();
  chkStartup_->OnClick = [this](ui::Control&) { chkStartupClick(); };
  comboSpeed_->OnChange = [this](ui::Control&) {
    Raise(OnIntervalChange, comboSpeed_->ItemIndex());
  };
}

std::vector<StoredProperty> SettingsPage::LayOut(ui::NotebookPage& page) {
  // In tab order. The stored options take their ticks from the stored properties below.
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
       .slot = chkMinimize_},
      {.name = "chkQuarantine",
       .kind = ControlKind::kCheckBox,
       .bounds = {24, 64, 457, 17},
       .caption = "Quarantine objects before removal",
       .color = kPanel,
       .slot = chkQuarantine_},
      {.name = "chkDeepScanReg",
       .kind = ControlKind::kCheckBox,
       .bounds = {24, 80, 457, 17},
       .caption = "Deep scanning of registry",
       .color = kPanel,
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
  return {
      {*chkAutoStartMonitor_, StoredKind::kChecked, false},
      {*chkMinimize_, StoredKind::kChecked, true},
      {*chkQuarantine_, StoredKind::kChecked, true},
      {*comboSpeed_, StoredKind::kItemIndex, kDefaultIntervalItem},
      {*chkAutoStartMonitor_, StoredKind::kLeft, 24},
      {*chkAutoTerminate_, StoredKind::kChecked, true},
      {*chkDeepScanReg_, StoredKind::kChecked, true},
  };
}

void SettingsPage::RestoreOptions() {
  try {
    FormStorage_.Restore();
  } catch (...) {
    services_.application.ReportCurrentException();
  }
}

void SettingsPage::SaveOptions() {
  try {
    FormStorage_.Save();
  } catch (...) {
    services_.application.ReportCurrentException();
  }
}

int SettingsPage::ValidIntervalItem() {
  const int item = comboSpeed_->ItemIndex();
  if (item < 0 || item >= static_cast<int>(comboSpeed_->Items().size())) {
    comboSpeed_->SetItemIndex(kDefaultIntervalItem);
  }
  return comboSpeed_->ItemIndex();
}

void SettingsPage::ShowStartupEntry() {
  chkStartup_->SetChecked(RunEntryExists(services_.registry));
}

void SettingsPage::chkStartupClick() {
  if (chkStartup_->Checked()) {
    AddRunEntry(services_.registry, services_.files.ExecutablePath());
    return;
  }
  RemoveRunEntry(services_.registry);
  // A value that could not be removed is still there, and the box says so.
  chkStartup_->SetChecked(RunEntryExists(services_.registry));
}

}  // namespace nexolant
