#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "monitor/monitor_timer_control.h"
#include "platform/locale.h"
#include "platform/processes.h"
#include "reference/signature_source.h"
#include "settings/options.h"
#include "ui/application.h"
#include "ui/button.h"
#include "ui/combo_box.h"
#include "ui/label.h"
#include "ui/list_view.h"
#include "ui/notebook.h"
#include "ui/timer.h"

namespace nexolant {

// The Status page's twins of the monitor's status label and link, which follow them.
struct MonitorTwins {
  ui::Label& lblAMStatus;
  ui::LinkLabel& lblEnableDisable;
};

// What the monitor uses beyond its own page: the running processes, the signatures, the
// options and the interval list of the Settings page.
struct MonitorLinks {
  platform::ProcessApi& processes;
  const SignatureSource& signatures;
  const Options& options;
  ui::ComboBox& comboSpeed;
};

// Page 2: the running processes, refreshed on a timer while monitoring is on. The monitor's
// on/off state is the caption of its link, "Disable" while it is on.
//
// A refresh pumps messages while it looks names up. It is never entered twice: a tick that
// arrives during a refresh is skipped, and a click on either link, on a row or on Terminate
// takes effect when the refresh is over.
class ActiveMonitoringPage : public MonitorTimerControl {
 public:
  ActiveMonitoringPage(ui::NotebookPage& page, const platform::Locale& locale,
                       ui::Application& application, MonitorTwins twins);

  // Hands over the links once the Settings page exists; no handler runs before.
  void Connect(MonitorLinks links);

  bool MonitoringEnabled() const { return lblAMEnable_->Caption() != "Enable"; }

  void SyncTimerWithMonitoring() override;
  bool Refreshing() const override { return refreshing_; }
  // The close request: from now on the timer stays off, also at the end of a refresh or a
  // scan that runs now, so that no refresh starts while the window closes.
  void StopTimer();
  // The first show: the timer takes the interval of the selected item of the interval list
  // (the default item when the stored selection is out of range), then monitoring starts
  // when the options ask for it.
  void StartIfConfigured();

  // Switches monitoring on and rebuilds the list; a failure switches it off again and
  // reaches the caller.
  void EnableMonitoring();
  void DisableMonitoring();

  ui::Label& lblAM() const { return *lblAM_; }
  ui::LinkLabel& lblAMEnable() const { return *lblAMEnable_; }
  ui::ListView& ProcessList() const { return *ProcessList_; }
  ui::Label& lblAMProcessing() const { return *lblAMProcessing_; }
  ui::Button& btnTerminate() const { return *btnTerminate_; }
  ui::Timer& ProcessTimer() { return ProcessTimer_; }

 private:
  // Handlers.
  void lblAMEnableClick();
  void ProcessTimerTimer();
  void ProcessListClick();
  void btnTerminateClick();
  void comboSpeedChange();

  void Refresh();
  void RebuildList();
  void TerminateKnownProcesses();
  // The row of the signature that matches name, or -1; pumps messages.
  int FindProcessSignature(const std::string& name) const;
  // During a refresh, keeps action for its end and answers true.
  bool DeferredDuringRefresh(std::function<void()> action);
  void RunDeferred();
  const MonitorLinks& Links() const { return links_.value(); }

  MonitorTwins twins_;
  ui::Application& application_;
  std::optional<MonitorLinks> links_;
  ui::Timer ProcessTimer_;
  bool refreshing_ = false;
  bool closing_ = false;
  std::vector<std::function<void()>> deferred_;
  ui::Label* lblAM_ = nullptr;
  ui::LinkLabel* lblAMEnable_ = nullptr;
  ui::ListView* ProcessList_ = nullptr;
  ui::Label* lblAMProcessing_ = nullptr;
  ui::Button* btnTerminate_ = nullptr;
};

}  // namespace nexolant
