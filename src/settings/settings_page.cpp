#include "settings/settings_page.h"

#include <array>
#include <cstddef>
#include <utility>

#include "platform/raise.h"
#include "platform/string_list.h"
#include "settings/run_entry.h"
#include "ui/combo_box.h"
#include "ui/control_table.h"

namespace nexolant {
namespace {

using ui::ControlKind;
constexpr ui::Color kPanel = panel_colors::kPanel;

}  // namespace

SettingsPage::SettingsPage(ui::NotebookPage& page, Options& options, SettingsServices services)
    : options_(options), services_(services), FormStorage_(services.profileStrings, options) {
  LayOut(page);
  for (const OptionBox& shown : boxes_) {
    shown.box->OnClick = [this, option = shown.option](ui::Control&) { BoxClick(option); };
  }
  comboSpeed_->OnChange = [this](ui::Control&) {
    options_.Set(Option::kIntervalItem, comboSpeed_->ItemIndex());
  };
  for (std::size_t option = 0; option < kOptionCount; ++option) {
    ShowOption(static_cast<Option>(option));
  }
}

void SettingsPage::LayOut(ui::NotebookPage& page) {
  // In tab order. The boxes and the list show the options.
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
      // What a scan looks at and leaves behind, above the link.
      {.name = "chkScanStartup",
       .kind = ControlKind::kCheckBox,
       .bounds = {24, 180, 457, 17},
       .caption = "Scan startup entries",
       .color = kPanel,
       .slot = chkScanStartup_},
      {.name = "chkKeepLog",
       .kind = ControlKind::kCheckBox,
       .bounds = {24, 196, 457, 17},
       .caption = "Keep a log of each scan",
       .color = kPanel,
       .slot = chkKeepLog_},
      {.name = "lblIgnoredObjects",
       .kind = ControlKind::kLinkLabel,
       .bounds = {24, 212, 0, 0},
       .caption = "Ignored objects...",
       .slot = lblIgnoredObjects_},
  });
  BuildControls(page, rows);
  StringList captions;
  for (const MonitorInterval& interval : kMonitorIntervals) {
    captions.emplace_back(interval.caption);
  }
  comboSpeed_->SetItems(std::move(captions));
  lblIgnoredObjects_->OnClick = [this](ui::Control&) { Raise(OnIgnoredObjectsClick); };
  boxes_ = {{{Option::kStartWithWindows, chkStartup_},
             {Option::kMinimizeToTray, chkMinimize_},
             {Option::kQuarantineBeforeRemoval, chkQuarantine_},
             {Option::kDeepScanRegistry, chkDeepScanReg_},
             {Option::kAutoTerminate, chkAutoTerminate_},
             {Option::kAutoStartMonitor, chkAutoStartMonitor_},
             {Option::kScanStartupEntries, chkScanStartup_},
             {Option::kKeepScanLog, chkKeepLog_}}};
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
    const platform::FolderLockScope locked(services_.folderLock, services_.application);
    FormStorage_.Save();
  } catch (...) {
    services_.application.ReportCurrentException();
  }
}

void SettingsPage::ShowOption(Option option) {
  if (option == Option::kIntervalItem) {
    comboSpeed_->SetItemIndex(options_.IntervalItem());
    return;
  }
  if (option == Option::kAutoStartMonitorLeft) {
    chkAutoStartMonitor_->SetLeft(options_.AutoStartMonitorLeft());
    return;
  }
  for (const OptionBox& shown : boxes_) {
    if (shown.option == option) {
      shown.box->SetChecked(options_.Value(option) != 0);
    }
  }
}

// The click has toggled the box, which showed the option: the option toggles with it.
void SettingsPage::BoxClick(Option option) {
  if (option == Option::kStartWithWindows) {
    chkStartupClick();
  } else {
    options_.Set(option, options_.Value(option) == 0 ? 1 : 0);
  }
}

void SettingsPage::ShowStartupEntry() {
  options_.Set(Option::kStartWithWindows, RunEntryExists(services_.registry));
}

void SettingsPage::chkStartupClick() {
  options_.Set(Option::kStartWithWindows, options_.StartWithWindows() ? 0 : 1);
  if (options_.StartWithWindows()) {
    AddRunEntry(services_.registry, services_.files.ExecutablePath());
    return;
  }
  RemoveRunEntry(services_.registry);
  // A value that could not be removed is still there, and the box says so.
  options_.Set(Option::kStartWithWindows, RunEntryExists(services_.registry));
}

}  // namespace nexolant
