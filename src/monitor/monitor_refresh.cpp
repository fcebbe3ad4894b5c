#include <string>
#include <utility>

#include "monitor/active_monitoring_page.h"
#include "monitor/process_list.h"
#include "reference/find_signature.h"

namespace nexolant {
namespace {

constexpr ui::Color kGreen = ui::colors::kGreen;
constexpr ui::Color kRed = ui::colors::kRed;

// Suspends the drawing of a list's rows until it goes, also when a failure leaves the scope.
class ListUpdate {
 public:
  explicit ListUpdate(ui::ListView& list) : list_(list) { list_.BeginUpdate(); }
  ListUpdate(const ListUpdate&) = delete;
  ListUpdate& operator=(const ListUpdate&) = delete;
  ~ListUpdate() { list_.EndUpdate(); }

 private:
  ui::ListView& list_;
};

}  // namespace

// A failure leaves the monitor off, so that it is not raised again at every tick; the clicks
// kept during the failed refresh are dropped with it.
void ActiveMonitoringPage::EnableMonitoring() {
  if (refreshing_ || closing_) {
    return;
  }
  refreshing_ = true;
  try {
    Refresh();
  } catch (...) {
    refreshing_ = false;
    deferred_.clear();
    DisableMonitoring();
    throw;
  }
  refreshing_ = false;
  RunDeferred();
}

void ActiveMonitoringPage::Refresh() {
  ProcessTimer_.SetEnabled(false);
  lblAMProcessing_->SetCaption("Monitoring...");
  RebuildList();
  lblAMEnable_->SetCaption("Disable");
  lblAM_->SetFontColor(kGreen);
  lblAM_->SetCaption("Active monitoring is enabled.");
  // The next tick comes one interval from here. A close asked for meanwhile keeps it off.
  ProcessTimer_.SetEnabled(!closing_);
  twins_.lblAMStatus.SetFontColor(kGreen);
  twins_.lblAMStatus.SetCaption("Loaded");
  twins_.lblEnableDisable.SetCaption(lblAMEnable_->Caption());
  if (Links().options.AutoTerminate()) {
    TerminateKnownProcesses();
  }
}

// The list keeps itself sorted by name, so each row is added with its status.
void ActiveMonitoringPage::RebuildList() {
  ui::ListView& list = *ProcessList_;
  const ListUpdate update(list);
  list.Clear();
  nexolant::ProcessList processes;
  ListProcesses(Links().processes, processes);
  const StringList& descriptions = Links().signatures.Tables().ProcessDescriptions;
  for (ProcessEntry& entry : processes) {
    const int match = FindProcessSignature(entry.name);
    list.Add(std::move(entry.name), {match >= 0 ? descriptions.at(match) : "No"});
  }
  list.SetColumnWidth(1, 116);
  list.SetColumnWidth(0, 300);
}

// Every row of a known name, in sorted order. Terminating a name ends all its processes, so
// a later row of the same name reports its own, failed, attempt.
void ActiveMonitoringPage::TerminateKnownProcesses() {
  ui::ListView& list = *ProcessList_;
  for (int row = 0; row < list.Count(); ++row) {
    const std::string name = list.Item(row).caption;
    if (FindProcessSignature(name) < 0) {
      continue;
    }
    const bool terminated = TerminateProcessByName(Links().processes, name);
    const StringList& subItems = list.Item(row).subItems;
    const std::string status = subItems.empty() ? std::string() : subItems.front();
    list.SetSubItem(row, 0, status + (terminated ? " - Terminated" : " - Unable to terminate"));
  }
}

int ActiveMonitoringPage::FindProcessSignature(const std::string& name) const {
  return FindSignature(name, Links().signatures.Tables().ProcessNames, application_);
}

void ActiveMonitoringPage::DisableMonitoring() {
  {
    const ListUpdate update(*ProcessList_);
    ProcessList_->Clear();
  }
  lblAMEnable_->SetCaption("Enable");
  lblAM_->SetFontColor(kRed);
  lblAM_->SetCaption("Active monitoring is disabled.");
  btnTerminate_->SetEnabled(false);
  ProcessTimer_.SetEnabled(false);
  lblAMProcessing_->SetCaption("Ready.");
  twins_.lblAMStatus.SetFontColor(kRed);
  twins_.lblAMStatus.SetCaption("Not loaded");
  twins_.lblEnableDisable.SetCaption(lblAMEnable_->Caption());
}

// Both links. A click during a refresh asks for the state its link offered when it was
// clicked, once the refresh is over.
void ActiveMonitoringPage::lblAMEnableClick() {
  const bool switchOn = !MonitoringEnabled();
  const auto apply = [this, switchOn] {
    if (switchOn && !MonitoringEnabled()) {
      EnableMonitoring();
    } else if (!switchOn && MonitoringEnabled()) {
      DisableMonitoring();
    }
  };
  if (!DeferredDuringRefresh(apply)) {
    apply();
  }
}

// A tick that arrives during a refresh is skipped by EnableMonitoring.
void ActiveMonitoringPage::ProcessTimerTimer() {
  EnableMonitoring();
}

bool ActiveMonitoringPage::DeferredDuringRefresh(std::function<void()> action) {
  if (!refreshing_) {
    return false;
  }
  deferred_.push_back(std::move(action));
  return true;
}

// Each kept click runs as a handler of its own, as it would have outside the refresh.
void ActiveMonitoringPage::RunDeferred() {
  for (std::function<void()>& action : std::exchange(deferred_, {})) {
    application_.RunHandler(action);
  }
}

}  // namespace nexolant
