#include "repair/report_page.h"

#include <array>
#include <utility>

#include "platform/raise.h"
#include "registry/real_key.h"
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
  Report_->SetCheckBoxes(true);
  Report_->SetMultiSelect(true);
  Report_->OnToggle = [this](ui::ListView&, const std::vector<int>& rows) { ReportToggle(rows); };
  Report_->OnContextMenu = [this](ui::Control&) { ReportContextMenu(); };
  Report_->OnDoubleClick = [this](ui::ListView&, int index) { ReportDoubleClick(index); };
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
  const int index =
      Report_->Add(finding.row.Caption, {finding.row.Location, finding.row.Description});
  Report_->SetChecked(index, finding.ticked);
}

void ReportPage::ShowTick(std::size_t index) {
  Report_->SetChecked(static_cast<int>(index), peers_.findings.Items().at(index).ticked);
}

// Several rows take the tick the first of them did not have, as one choice.
void ReportPage::ReportToggle(const std::vector<int>& rows) {
  if (peers_.actions.Running()) {
    return;
  }
  const bool ticked = !peers_.findings.Items().at(rows.front()).ticked;
  for (const int row : rows) {
    peers_.findings.SetTicked(static_cast<std::size_t>(row), ticked);
  }
}

void ReportPage::TickAll(bool ticked) {
  for (std::size_t row = 0; row < peers_.findings.Items().size(); ++row) {
    peers_.findings.SetTicked(row, ticked);
  }
}

void ReportPage::ReportContextMenu() {
  if (peers_.deferred.Defer([this] { ReportContextMenu(); }) || peers_.actions.Running()) {
    return;
  }
  const std::vector<int> rows = Report_->Selection();
  const Finding* first = rows.empty() ? nullptr : &peers_.findings.Items().at(rows.front());
  const bool anyRows = !peers_.findings.Items().empty();
  const int choice = services_.application.ShowPopupMenu(
      *Report_, {{"&Tick all", anyRows},
                 {"&Untick all", anyRows},
                 {"&Details...", first != nullptr},
                 {"&Open containing folder", first && IsFileFinding(*first)},
                 {"Always &ignore", first != nullptr}});
  switch (static_cast<MenuChoice>(choice)) {
    case MenuChoice::kTickAll:
      TickAll(true);
      break;
    case MenuChoice::kUntickAll:
      TickAll(false);
      break;
    case MenuChoice::kDetails:
      if (first) {
        Raise(OnShowDetails, *first);
      }
      break;
    case MenuChoice::kOpenFolder:
      if (first) {
        OpenContainingFolder(*first);
      }
      break;
    case MenuChoice::kAlwaysIgnore:
      AlwaysIgnore(rows);
      break;
  }
}

void ReportPage::ReportDoubleClick(int index) {
  if (peers_.deferred.Defer([this, index] { ReportDoubleClick(index); }) ||
      peers_.actions.Running()) {
    return;
  }
  Raise(OnShowDetails, peers_.findings.Items().at(static_cast<std::size_t>(index)));
}

void ReportPage::OpenContainingFolder(const Finding& finding) {
  const platform::Outcome opened =
      services_.shell.Open({finding.row.Location, finding.exact.folder});
  if (!opened) {
    services_.application.ShowWarning(
        "Nexolant could not open the folder " + finding.row.Location + ".", "Warning");
  }
}

// Each row's object joins the ignore list and its row stays, unticked. A failure is told once
// and ends the choice: the rows after it keep their ticks.
void ReportPage::AlwaysIgnore(const std::vector<int>& rows) {
  for (const int row : rows) {
    const auto index = static_cast<std::size_t>(row);
    if (std::optional<std::string> failure = Keep(peers_.findings.Items().at(index))) {
      services_.application.ShowWarning(*failure, "Warning");
      return;
    }
    peers_.findings.SetTicked(index, false);
  }
}

std::optional<std::string> ReportPage::Keep(const Finding& finding) {
  if (finding.kind == RowKind::kStartupEntry && finding.entry.kind != StartupKind::kStartupFile) {
    return peers_.ignored.KeepEntry(finding.entry);
  }
  switch (finding.kind) {
    case RowKind::kProcess:
      if (finding.imagePath.empty()) {
        return "Nexolant cannot tell which program " + finding.row.Caption +
               " runs, so it cannot keep it.";
      }
      return peers_.ignored.KeepProcess(finding.imagePath);
    case RowKind::kFile:
    case RowKind::kStartupEntry: {
      const platform::Path path = FilePathOf(finding);
      const std::optional<std::uint32_t> attributes = services_.files.FileAttributes(path);
      if (!attributes) {
        return "Nexolant cannot find " + path.ansi + " any more.";
      }
      return (*attributes & platform::kAttributeDirectory) != 0 ? peers_.ignored.KeepFolder(path)
                                                                : peers_.ignored.KeepFile(path);
    }
    case RowKind::kRegistryKey: {
      const std::string real =
          RealPathOfKeyRow(services_.registry, finding.row.Location, finding.row.Caption);
      if (real.empty()) {
        return "Nexolant cannot find the key " + finding.row.Location + "\\" + finding.row.Caption +
               " any more.";
      }
      return peers_.ignored.KeepKey(real);
    }
  }
  return std::nullopt;
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
                   .tasks = services_.tasks,
                   .serviceControl = services_.serviceControl,
                   .clock = services_.clock,
                   .locale = services_.locale,
                   .protection = peers_.protection,
                   .ignored = peers_.ignored,
                   .pump = services_.application,
                   .folderLock = services_.folderLock},
                  peers_.statistics, peers_.quarantine);
    const RepairOutcome outcome =
        repair.Run(peers_.findings.Items(), peers_.options.QuarantineBeforeRemoval());
    peers_.log.Repaired(peers_.findings.Items(), outcome.rows);
    ReportLeftOver(outcome);
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
