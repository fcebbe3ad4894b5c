#include "monitor/active_monitoring_page.h"

#include <array>
#include <initializer_list>
#include <string_view>

#include "monitor/monitor_interval.h"
#include "ui/artwork_names.h"
#include "ui/control_table.h"
#include "ui/list_view.h"

namespace nexolant {
namespace {

using ui::ControlKind;

const ui::Font kRed{.color = ui::colors::kRed};

}  // namespace

ActiveMonitoringPage::ActiveMonitoringPage(ui::NotebookPage& page, const platform::Locale& locale,
                                           ui::Application& application, MonitorTwins twins)
    : twins_(twins), application_(application), ProcessTimer_(application) {
  ProcessTimer_.SetInterval(30000);
  const auto rows = std::to_array<ControlRow>({
      {.name = "lblAMHeading",
       .kind = ControlKind::kLabel,
       .bounds = {16, 8, 0, 0},
       .caption = "Active monitoring status",
       .font = &fonts::kWindowBold},
      {.name = "shpAMBand",
       .kind = ControlKind::kShape,
       .bounds = {16, 24, 473, 25},
       .color = panel_colors::kPanel},
      {.name = "imgAM",
       .kind = ControlKind::kImage,
       .bounds = {19, 26, 21, 21},
       .picture = artwork::kMonitorPageIcon},
      {.name = "lblAM",
       .kind = ControlKind::kLabel,
       .bounds = {43, 30, 0, 0},
       .caption = "Active monitoring is disabled.",
       .font = &kRed,
       .slot = lblAM_},
      {.name = "lblAMEnable",
       .kind = ControlKind::kLinkLabel,
       .bounds = {424, 30, 60, 13},
       .caption = "Enable",
       .alignment = ui::Alignment::kRight,
       .slot = lblAMEnable_},
      {.name = "shpAMFrame",
       .kind = ControlKind::kShape,
       .bounds = {32, 56, 441, 145},
       .color = panel_colors::kPanel},
      {.name = "ProcessList",
       .kind = ControlKind::kListView,
       .bounds = {34, 58, 437, 141},
       .color = panel_colors::kPanel,
       .slot = ProcessList_},
      {.name = "shpAMFooter",
       .kind = ControlKind::kShape,
       .bounds = {16, 208, 473, 25},
       .color = panel_colors::kPanel},
      {.name = "lblAMProcessing",
       .kind = ControlKind::kLabel,
       .bounds = {23, 214, 0, 0},
       .caption = "Ready.",
       .slot = lblAMProcessing_},
      {.name = "btnTerminate",
       .kind = ControlKind::kButton,
       .bounds = {397, 210, 89, 21},
       .caption = "Terminate",
       .enabled = false,
       .slot = btnTerminate_},
  });
  BuildControls(page, rows);
  ProcessList_->AddColumn("Process name", 300);
  ProcessList_->AddColumn("Ad status", 133);
  ProcessList_->SetCompare(
      [&locale](std::string_view a, std::string_view b) { return locale.CompareWordSort(a, b); });
  ProcessList_->SetSorted(true);

  ProcessTimer_.OnTimer = [this](ui::Timer&) { ProcessTimerTimer(); };
  for (ui::Control* link :
       std::initializer_list<ui::Control*>{lblAMEnable_, &twins_.lblEnableDisable}) {
    link->OnClick = [this](ui::Control&) { lblAMEnableClick(); };
  }
  ProcessList_->OnClick = [this](ui::Control&) { ProcessListClick(); };
  btnTerminate_->OnClick = [this](ui::Control&) { btnTerminateClick(); };
}

void ActiveMonitoringPage::Connect(MonitorLinks links) {
  links_.emplace(links);
  links.comboSpeed.OnChange = [this](ui::Control&) { comboSpeedChange(); };
}

void ActiveMonitoringPage::SyncTimerWithMonitoring() {
  ProcessTimer_.SetEnabled(!closing_ && twins_.lblEnableDisable.Caption() == "Disable");
}

void ActiveMonitoringPage::StopTimer() {
  closing_ = true;
  ProcessTimer_.SetEnabled(false);
}

void ActiveMonitoringPage::StartIfConfigured() {
  ui::ComboBox& comboSpeed = Links().comboSpeed;
  if (!MonitorIntervalOfItem(comboSpeed.ItemIndex())) {
    comboSpeed.SetItemIndex(kDefaultIntervalItem);
  }
  comboSpeedChange();
  if (Links().options.AutoStartMonitor()) {
    EnableMonitoring();
  }
}

// A user's pick; a running timer starts its new interval at once.
void ActiveMonitoringPage::comboSpeedChange() {
  ProcessTimer_.SetInterval(MonitorIntervalOfItem(Links().comboSpeed.ItemIndex()).value());
}

}  // namespace nexolant
