#pragma once

#include "monitor/monitor_timer_control.h"
#include "platform/locale.h"
#include "ui/application.h"
#include "ui/button.h"
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

// Page 2: the running processes, refreshed on a timer while monitoring is on. The monitor's
// on/off state is the caption of its link, "Disable" while it is on.
class ActiveMonitoringPage : public MonitorTimerControl {
 public:
  ActiveMonitoringPage(ui::NotebookPage& page, const platform::Locale& locale,
                       ui::Application& application, MonitorTwins twins);

  bool MonitoringEnabled() const { return lblAMEnable_->Caption() != "Enable"; }

  void SyncTimerWithMonitoring() override;
  // The close request: no refresh may start while the window closes.
  void StopTimer() { ProcessTimer_.SetEnabled(false); }
  // The first show starts monitoring when the options ask for it; empty until the monitor
  // refreshes its list.
  void StartIfConfigured() {}

  ui::Label& lblAM() const { return *lblAM_; }
  ui::LinkLabel& lblAMEnable() const { return *lblAMEnable_; }
  ui::ListView& ProcessList() const { return *ProcessList_; }
  ui::Label& lblAMProcessing() const { return *lblAMProcessing_; }
  ui::Button& btnTerminate() const { return *btnTerminate_; }
  ui::Timer& ProcessTimer() { return ProcessTimer_; }

 private:
  MonitorTwins twins_;
  ui::Timer ProcessTimer_;
  ui::Label* lblAM_ = nullptr;
  ui::LinkLabel* lblAMEnable_ = nullptr;
  ui::ListView* ProcessList_ = nullptr;
  ui::Label* lblAMProcessing_ = nullptr;
  ui::Button* btnTerminate_ = nullptr;
};

}  // namespace nexolant
