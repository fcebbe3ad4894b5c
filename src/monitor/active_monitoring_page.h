#pragma once

#include "monitor/monitor_view.h"
#include "monitor/process_monitor.h"
#include "ui/application.h"
#include "ui/button.h"
#include "ui/label.h"
#include "ui/list_view.h"
#include "ui/notebook.h"
#include "ui/timer.h"

namespace nexolant {

// Page 2: the running processes the monitor listed, its state, and Terminate. Clicks on a row
// or on Terminate during a refresh take effect when the refresh is over.
class ActiveMonitoringPage : public MonitorView {
 public:
  ActiveMonitoringPage(ui::NotebookPage& page, ui::Application& application,
                       ProcessMonitor& monitor);

  bool MonitoringEnabled() const { return monitor_.Enabled(); }
  ui::Timer& ProcessTimer() { return monitor_.ProcessTimer(); }

  void ShowProcessing(bool refreshing) override;
  void BeginRows() override;
  void ShowRows(const std::vector<MonitorRow>& rows) override;
  void EndRows() override;
  void ShowRowsCleared() override;
  void ShowRowStatus(int index, const MonitorRow& row) override;
  void ShowRowRemoved(int index) override;
  void ShowMonitoring(bool on) override;

  ui::Label& lblAM() const { return *lblAM_; }
  ui::LinkLabel& lblAMEnable() const { return *lblAMEnable_; }
  ui::ListView& ProcessList() const { return *ProcessList_; }
  ui::Label& lblAMProcessing() const { return *lblAMProcessing_; }
  ui::Button& btnTerminate() const { return *btnTerminate_; }

 private:
  // Handlers.
  void ProcessListClick();
  void btnTerminateClick();

  ui::Application& application_;
  ProcessMonitor& monitor_;
  ui::Label* lblAM_ = nullptr;
  ui::LinkLabel* lblAMEnable_ = nullptr;
  ui::ListView* ProcessList_ = nullptr;
  ui::Label* lblAMProcessing_ = nullptr;
  ui::Button* btnTerminate_ = nullptr;
};

}  // namespace nexolant
