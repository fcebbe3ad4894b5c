#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ignore/ignored_objects.h"
#include "monitor/monitor_view.h"
#include "platform/locale.h"
#include "platform/processes.h"
#include "protection/protection_policy.h"
#include "reference/signature_source.h"
#include "settings/options.h"
#include "ui/application.h"
#include "ui/deferred_actions.h"
#include "ui/timer.h"

namespace nexolant {

// What the monitor works with.
struct MonitorServices {
  platform::ProcessApi& processes;
  const platform::Locale& locale;
  ui::Application& application;
  ui::DeferredActions& deferred;  // clicks during a refresh wait for its end
  const SignatureSource& signatures;
  const protection::ProtectionPolicy& protection;
  // What the user keeps is shown as not known and never terminated.
  const IgnoredObjects& ignored;
  const Options& options;
};

// The active monitor: whether monitoring is on, the running processes it listed last (sorted
// by name as the locale sorts words, each with its status), its timer and its interval.
//
// A refresh pumps messages while it looks names up. It is never entered twice: a tick that
// arrives during a refresh is skipped, and the user's actions that arrive then wait in
// `deferred` until the refresh is over.
class ProcessMonitor {
 public:
  explicit ProcessMonitor(const MonitorServices& services);
  ProcessMonitor(const ProcessMonitor&) = delete;
  ProcessMonitor& operator=(const ProcessMonitor&) = delete;

  // The page that shows the monitor; set once, before the first action. It comes in a second
  // step because the page is made after the monitor: it holds the monitor to drive it.
  void SetView(MonitorView& view) { view_ = &view; }
  // Told after every switch on or off, and after every refresh.
  std::function<void(bool on)> OnMonitoringChanged;

  bool Enabled() const { return enabled_; }
  bool Refreshing() const { return refreshing_; }
  const std::vector<MonitorRow>& Rows() const { return rows_; }
  ui::Timer& ProcessTimer() { return ProcessTimer_; }

  // Switches monitoring on and rebuilds the list; a failure switches it off again and reaches
  // the caller.
  void EnableMonitoring();
  void DisableMonitoring();
  // The state the user asked for with either link; during a refresh, once it is over.
  void Toggle();
  // The options' interval; a running timer starts it at once.
  void ApplyInterval();
  // At the scan's end: the timer runs exactly when monitoring is on.
  void SyncTimerWithMonitoring();
  // The close request: from now on the timer stays off, also at the end of a refresh or a
  // scan that runs now, so that no refresh starts while the window closes.
  void StopTimer();

  // A row the user chose, told apart from other rows of its name by its rank among them, so
  // that it can be found again after the rows were rebuilt.
  struct ChosenRow {
    std::string name;
    std::size_t index = 0;
    int rank = 0;  // how many rows of the name come before it
    unsigned rowsVersion = 0;
  };
  ChosenRow Choose(std::size_t index) const;
  // Terminates every process of the row's name. On success the row leaves the list: the
  // chosen one while the rows are those it was chosen from, else the row of that name at the
  // same rank, if there is one.
  [[nodiscard]] bool Terminate(const ChosenRow& row);
  // During a refresh, keeps the action for its end and answers true.
  bool DeferDuringRefresh(std::function<void()> action) {
    return deferred_.Defer(std::move(action));
  }

 private:
  void ProcessTimerTimer();
  void Refresh();
  void RebuildRows();
  // The order in which the page lists rows given in listing order.
  const std::vector<std::size_t>& SortedOrder(const std::vector<MonitorRow>& listed);
  void TerminateKnownProcesses();
  // The index of the signature that matches name, or -1; pumps messages.
  int FindProcessSignature(const std::string& name) const;

  platform::ProcessApi& processes_;
  const platform::Locale& locale_;
  ui::Application& application_;
  ui::DeferredActions& deferred_;
  const SignatureSource& signatures_;
  const protection::ProtectionPolicy& protection_;
  const IgnoredObjects& ignored_;
  const Options& options_;
  MonitorView* view_ = nullptr;
  ui::Timer ProcessTimer_;
  std::vector<MonitorRow> rows_;
  // Changes whenever rows_ is rebuilt, cleared or loses a row.
  unsigned rowsVersion_ = 0;
  // The last listing's names and their sorted order: the same names listed in the same order
  // sort alike without the locale, whose comparison costs half a microsecond under Wine.
  std::vector<std::string> listedNames_;
  std::vector<std::size_t> sortedOrder_;
  bool enabled_ = false;
  bool refreshing_ = false;
  bool closing_ = false;
};

}  // namespace nexolant
