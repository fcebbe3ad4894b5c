#include "monitor/active_monitoring_page.h"

#include <array>
#include <string>

#include "ui/artwork_names.h"
#include "ui/control_table.h"
#include "ui/list_view.h"

namespace nexolant {
namespace {

using ui::ControlKind;

const ui::Font kRed{.color = ui::colors::kRed};

}  // namespace

ActiveMonitoringPage::ActiveMonitoringPage(ui::NotebookPage& page, ui::Application& application,
                                           ProcessMonitor& monitor)
    : application_(application), monitor_(monitor) {
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

  lblAMEnable_->OnClick = [this](ui::Control&) { monitor_.Toggle(); };
  ProcessList_->OnClick = [this](ui::Control&) { ProcessListClick(); };
  btnTerminate_->OnClick = [this](ui::Control&) { btnTerminateClick(); };
  monitor_.SetView(*this);
}

void ActiveMonitoringPage::ShowProcessing(bool refreshing) {
  lblAMProcessing_->SetCaption(refreshing ? "Monitoring..." : "Ready.");
}

// The list's drawing waits until every row is in.
void ActiveMonitoringPage::BeginRows() {
  ProcessList_->BeginUpdate();
  ProcessList_->Clear();
}

// The rows in the monitor's order, so each row keeps the monitor's index.
void ActiveMonitoringPage::ShowRows(const std::vector<MonitorRow>& rows) {
  std::vector<ui::ListItem> items;
  items.reserve(rows.size());
  for (const MonitorRow& row : rows) {
    items.push_back({row.name, {row.status}});
  }
  ProcessList_->Assign(std::move(items));
  ProcessList_->SetColumnWidth(1, 116);
  ProcessList_->SetColumnWidth(0, 300);
}

void ActiveMonitoringPage::EndRows() {
  ProcessList_->EndUpdate();
}

void ActiveMonitoringPage::ShowRowsCleared() {
  const ui::ListUpdate update(*ProcessList_);
  ProcessList_->Clear();
}

void ActiveMonitoringPage::ShowRowStatus(int index, const MonitorRow& row) {
  ProcessList_->SetSubItem(index, 0, row.status);
}

void ActiveMonitoringPage::ShowRowRemoved(int index) {
  ProcessList_->Delete(index);
}

void ActiveMonitoringPage::ShowMonitoring(bool on) {
  lblAMEnable_->SetCaption(on ? "Disable" : "Enable");
  lblAM_->SetFontColor(on ? ui::colors::kGreen : ui::colors::kRed);
  lblAM_->SetCaption(on ? "Active monitoring is enabled." : "Active monitoring is disabled.");
  if (!on) {
    btnTerminate_->SetEnabled(false);
  }
}

void ActiveMonitoringPage::ProcessListClick() {
  if (monitor_.DeferDuringRefresh([this] { ProcessListClick(); })) {
    return;
  }
  btnTerminate_->SetEnabled(ProcessList_->ItemIndex() >= 0);
}

// The row is taken before the question: a tick during it may rebuild the list, so the
// monitor finds the row again afterwards.
void ActiveMonitoringPage::btnTerminateClick() {
  if (monitor_.DeferDuringRefresh([this] { btnTerminateClick(); })) {
    return;
  }
  const int selected = ProcessList_->ItemIndex();
  if (!monitor_.Enabled() || selected < 0) {
    return;
  }
  const ProcessMonitor::ChosenRow chosen = monitor_.Choose(static_cast<std::size_t>(selected));
  const std::string& name = chosen.name;
  const ui::MessageResult answer = application_.ShowMessageBox(
      "Are you sure you want to terminate the process \"" + name + "\" ?", "Warning",
      ui::MessageButtons::kYesNo, ui::MessageIcon::kQuestion);
  if (answer != ui::MessageResult::kYes) {
    return;
  }
  if (!monitor_.Terminate(chosen)) {
    application_.ShowWarning("Unable to kill process \"" + name + "\" !", "Warning");
    return;
  }
  btnTerminate_->SetEnabled(false);
}

}  // namespace nexolant
