#include "monitor/process_monitor.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <utility>

#include "platform/flag_scope.h"
#include "platform/raise.h"
#include "processes/process_list.h"
#include "reference/find_signature.h"

namespace nexolant {

ProcessMonitor::ProcessMonitor(const MonitorServices& services)
    : processes_(services.processes),
      locale_(services.locale),
      application_(services.application),
      deferred_(services.deferred),
      signatures_(services.signatures),
      protection_(services.protection),
      ignored_(services.ignored),
      options_(services.options),
      ProcessTimer_(services.application) {
  ProcessTimer_.SetInterval(options_.IntervalMilliseconds());
  ProcessTimer_.OnTimer = [this](ui::Timer&) { ProcessTimerTimer(); };
}

// A failure leaves the monitor off, so that it is not raised again at every tick; the actions
// kept during the failed refresh are dropped with it. The kept actions run once the refresh is
// over, so a tick during one of them refreshes again.
void ProcessMonitor::EnableMonitoring() {
  if (refreshing_ || closing_) {
    return;
  }
  try {
    const ui::DeferredActions::Hold hold(deferred_);
    const platform::FlagScope refreshing(refreshing_);
    Refresh();
  } catch (...) {
    DisableMonitoring();
    throw;
  }
}

void ProcessMonitor::Refresh() {
  ProcessTimer_.SetEnabled(false);
  view_->ShowProcessing(true);
  RebuildRows();
  enabled_ = true;
  view_->ShowMonitoring(true);
  // The next tick comes one interval from here. A close asked for meanwhile keeps it off.
  ProcessTimer_.SetEnabled(!closing_);
  view_->ShowProcessing(true);
  Raise(OnMonitoringChanged, true);
  if (options_.AutoTerminate()) {
    TerminateKnownProcesses();
  }
}

// The rows are kept in the order the page lists them: sorted by name, a later row after rows
// of an equal name.
void ProcessMonitor::RebuildRows() {
  // Ends the view's rebuild on every way out.
  class RebuildScope {
   public:
    explicit RebuildScope(MonitorView& view) : view_(view) { view_.BeginRows(); }
    ~RebuildScope() { view_.EndRows(); }
    RebuildScope(const RebuildScope&) = delete;
    RebuildScope& operator=(const RebuildScope&) = delete;

   private:
    MonitorView& view_;
  };
  rows_.clear();
  ++rowsVersion_;
  const RebuildScope rebuild(*view_);
  ProcessList processes;
  ListProcesses(processes_, processes);
  const StringList& descriptions = signatures_.Tables().ProcessDescriptions;
  std::vector<MonitorRow> listed;
  listed.reserve(processes.size());
  for (ProcessEntry& entry : processes) {
    int match = FindProcessSignature(entry.name);
    const auto id = static_cast<std::uint32_t>(entry.processId);
    // Windows' own processes, the program's own and those the user keeps are never known,
    // whatever the signatures. Only a known name costs the look-up of its image.
    if (match >= 0 && (protection_.IsProtectedProcess(entry.name, id) ||
                       (ignored_.List().Count() > 0 &&
                        ignored_.KeepsProcess(ImagePathOfProcess(processes_, id).value_or(""))))) {
      match = -1;
    }
    listed.push_back({.name = std::move(entry.name),
                      .status = match >= 0 ? descriptions.at(match) : "No",
                      .known = match >= 0,
                      .processId = entry.processId});
  }
  rows_.reserve(listed.size());
  for (const std::size_t index : SortedOrder(listed)) {
    rows_.push_back(std::move(listed[index]));
  }
  view_->ShowRows(rows_);
}

// Sorted by name, a later row after rows of an equal name.
const std::vector<std::size_t>& ProcessMonitor::SortedOrder(const std::vector<MonitorRow>& listed) {
  const auto named = [](const MonitorRow& row, const std::string& name) {
    return row.name == name;
  };
  if (std::equal(listed.begin(), listed.end(), listedNames_.begin(), listedNames_.end(), named)) {
    return sortedOrder_;
  }
  sortedOrder_.resize(listed.size());
  std::iota(sortedOrder_.begin(), sortedOrder_.end(), std::size_t{0});
  std::stable_sort(sortedOrder_.begin(), sortedOrder_.end(), [&](std::size_t a, std::size_t b) {
    return locale_.CompareWordSort(listed[a].name, listed[b].name) < 0;
  });
  listedNames_.clear();
  for (const MonitorRow& row : listed) {
    listedNames_.push_back(row.name);
  }
  return sortedOrder_;
}

// Every row of a known name, each by its process's id: a process of the same name that is not
// known (the user keeps it) goes on running.
void ProcessMonitor::TerminateKnownProcesses() {
  // The window answers between the rebuild and the terminations, as it does between lookups.
  application_.ProcessMessages();
  for (std::size_t index = 0; index < rows_.size(); ++index) {
    MonitorRow& row = rows_[index];
    if (!row.known) {
      continue;
    }
    const bool terminated =
        row.processId > 0 &&
        TerminateProcessById(processes_, static_cast<std::uint32_t>(row.processId), row.name, "");
    row.status += terminated ? " - Terminated" : " - Unable to terminate";
    view_->ShowRowStatus(static_cast<int>(index), row);
  }
}

int ProcessMonitor::FindProcessSignature(const std::string& name) const {
  return FindActiveSignature(name, signatures_.Tables().ProcessNames, application_);
}

void ProcessMonitor::DisableMonitoring() {
  rows_.clear();
  ++rowsVersion_;
  view_->ShowRowsCleared();
  enabled_ = false;
  view_->ShowMonitoring(false);
  ProcessTimer_.SetEnabled(false);
  view_->ShowProcessing(false);
  Raise(OnMonitoringChanged, false);
}

// A click during a refresh asks for the state its link offered when it was clicked.
void ProcessMonitor::Toggle() {
  const bool switchOn = !enabled_;
  const auto apply = [this, switchOn] {
    if (switchOn && !enabled_) {
      EnableMonitoring();
    } else if (!switchOn && enabled_) {
      DisableMonitoring();
    }
  };
  if (!DeferDuringRefresh(apply)) {
    apply();
  }
}

// A tick that arrives during a refresh is skipped by EnableMonitoring.
void ProcessMonitor::ProcessTimerTimer() {
  EnableMonitoring();
}

void ProcessMonitor::ApplyInterval() {
  ProcessTimer_.SetInterval(options_.IntervalMilliseconds());
}

void ProcessMonitor::SyncTimerWithMonitoring() {
  ProcessTimer_.SetEnabled(!closing_ && enabled_);
}

void ProcessMonitor::StopTimer() {
  closing_ = true;
  ProcessTimer_.SetEnabled(false);
}

ProcessMonitor::ChosenRow ProcessMonitor::Choose(std::size_t index) const {
  const std::string& name = rows_.at(index).name;
  const auto rank = std::count_if(rows_.begin(), rows_.begin() + static_cast<std::ptrdiff_t>(index),
                                  [&name](const MonitorRow& row) { return row.name == name; });
  return {name, index, static_cast<int>(rank), rowsVersion_};
}

bool ProcessMonitor::Terminate(const ChosenRow& chosen) {
  if (!TerminateProcessByName(processes_, chosen.name)) {
    return false;
  }
  std::optional<std::size_t> index;
  if (chosen.rowsVersion == rowsVersion_) {
    index = chosen.index;
  } else {
    int rank = 0;
    for (std::size_t row = 0; row < rows_.size() && !index; ++row) {
      if (rows_[row].name == chosen.name && rank++ == chosen.rank) {
        index = row;
      }
    }
  }
  if (index && *index < rows_.size()) {
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(*index));
    ++rowsVersion_;
    view_->ShowRowRemoved(static_cast<int>(*index));
  }
  return true;
}

}  // namespace nexolant
