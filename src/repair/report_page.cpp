#include "repair/report_page.h"

#include <array>
#include <utility>

#include "platform/raise.h"
#include "ui/artwork_names.h"
#include "ui/control_table.h"
#include "ui/list_view.h"

namespace nexolant {
namespace {

using ui::ControlKind;

}  // namespace

ReportPage::ReportPage(ui::NotebookPage& page, ReportServices services, ReportPeers peers)
    : services_(std::move(services)), peers_(peers) {
  const auto rows = std::to_array<ControlRow>({
      {.name = "lblReportHeading",
       .kind = ControlKind::kLabel,
       .bounds = {16, 8, 0, 0},
       .caption = "Scan report",
       .font = &fonts::kWindowBold},
      {.name = "Report",
       .kind = ControlKind::kListView,
       .bounds = {16, 24, 473, 185},
       .color = panel_colors::kPanel,
       .slot = Report_},
      {.name = "btnCancel",
       .kind = ControlKind::kButton,
       .bounds = {16, 213, 97, 23},
       .caption = "Cancel",
       .picture = artwork::kGlyphCancel,
       .slot = btnCancel_},
      {.name = "btnRepair",
       .kind = ControlKind::kButton,
       .bounds = {384, 213, 105, 23},
       .caption = "Repair",
       .picture = artwork::kGlyphRepair,
       .slot = btnRepair_},
  });
  BuildControls(page, rows);
  Report_->AddColumn("Filename", 100);
  Report_->AddColumn("Location", 150);
  Report_->AddColumn("Description", 219);
  btnRepair_->OnClick = [this](ui::Control&) { btnRepairClick(); };
  btnCancel_->OnClick = [this](ui::Control&) { btnCancelClick(); };
  peers_.actions.Add(*btnRepair_);
  peers_.actions.Add(*btnCancel_);
}

void ReportPage::ShowCleared() {
  Report_->Clear();
}

void ReportPage::ShowFinding(const Finding& finding) {
  Report_->Add(finding.row.Caption, {finding.row.Location, finding.row.Description});
}

// A failure to create the quarantine folder leaves through the error report with the page
// still shown; a second Repair then goes through all rows again.
void ReportPage::btnRepairClick() {
  if (peers_.deferred.Defer([this] { btnRepairClick(); }) || peers_.actions.Running()) {
    return;
  }
  {
    const ui::ExclusiveActions::Scope running(peers_.actions);
    Repair repair({.files = services_.files,
                   .registry = services_.registry,
                   .processes = services_.processes,
                   .clock = services_.clock,
                   .locale = services_.locale,
                   .protection = peers_.protection,
                   .pump = services_.application},
                  peers_.statistics, peers_.quarantine);
    ReportLeftOver(repair.Run(peers_.findings.Items(), peers_.options.QuarantineBeforeRemoval()));
  }
  Raise(OnRepaired);
  peers_.navigation.BackToStatus();
}

void ReportPage::ReportLeftOver(const RepairOutcome& outcome) {
  if (outcome.notRemoved == 0) {
    return;
  }
  std::string text = "Nexolant could not remove " +
                     services_.locale.FormatCount(outcome.notRemoved) +
                     " object(s); they are still on your system.";
  if (outcome.accessDenied && !services_.processes.RunningElevated()) {
    text += " Running Nexolant as administrator may remove them.";
  }
  services_.application.ShowWarning(text, "Warning");
}

void ReportPage::btnCancelClick() {
  if (peers_.deferred.Defer([this] { btnCancelClick(); }) || peers_.actions.Running()) {
    return;
  }
  ui::MessageResult answer;
  {
    const ui::ExclusiveActions::Scope running(peers_.actions);
    answer = services_.application.ShowMessageBox(
        "Are you sure you want to cancel and leave the adware found on your system?", "Warning",
        ui::MessageButtons::kYesNo, ui::MessageIcon::kQuestion);
  }
  if (answer == ui::MessageResult::kYes) {
    peers_.navigation.BackToStatus();
  }
}

}  // namespace nexolant
