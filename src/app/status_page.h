#pragma once

#include <functional>

#include "platform/locale.h"
#include "reference/reference_loader.h"
#include "settings/usage_statistics.h"
#include "ui/label.h"
#include "ui/notebook.h"

namespace nexolant {

// Page 0: the reference status, the usage statistics, the monitor's twin link and the links
// to the Details page, the quarantine and the update.
class StatusPage {
 public:
  StatusPage(ui::NotebookPage& page, const platform::Locale& locale);

  // The three reference labels after a load.
  void ShowReferenceStatus(ReferenceOutcome outcome);
  // The monitor's state, as its own page shows it too.
  void ShowMonitoring(bool on);
  // One of the usage figures: counts in the locale's number format, the last scan as the short
  // date and long time ("Never" before the first scan, the date alone at midnight).
  void ShowStatistic(StatisticsField field, const StatisticsValues& values);

  // The links.
  std::function<void()> OnDetailsClick;
  std::function<void()> OnOpenQuarantineClick;
  std::function<void()> OnViewLogsClick;
  std::function<void()> OnCheckUpdatesClick;
  std::function<void()> OnEnableDisableClick;

  ui::LinkLabel& lblDetails() const { return *lblDetails_; }
  ui::LinkLabel& lblOpenQuarantine() const { return *lblOpenQuarantine_; }
  ui::LinkLabel& lblViewLogs() const { return *lblViewLogs_; }
  ui::LinkLabel& lblCheckUpdates() const { return *lblCheckUpdates_; }
  // The monitor's twins of its own page's status label and link.
  ui::Label& lblAMStatus() const { return *lblAMStatus_; }
  ui::LinkLabel& lblEnableDisable() const { return *lblEnableDisable_; }
  // The statistics labels.
  ui::Label& lblLastSystemScan() const { return *lblLastSystemScan_; }
  ui::Label& lblTotalScans() const { return *lblTotalScans_; }
  ui::Label& lblObjectsRemoved() const { return *lblObjectsRemoved_; }
  ui::Label& lblObjectsQuarantined() const { return *lblObjectsQuarantined_; }

 private:
  const platform::Locale& locale_;
  ui::Label* lblRefStatus_ = nullptr;
  ui::LinkLabel* lblDetails_ = nullptr;
  ui::Label* lblAMStatus_ = nullptr;
  ui::LinkLabel* lblEnableDisable_ = nullptr;
  ui::Label* lblLastSystemScan_ = nullptr;
  ui::Label* lblTotalScans_ = nullptr;
  ui::Label* lblObjectsRemoved_ = nullptr;
  ui::Label* lblObjectsQuarantined_ = nullptr;
  ui::LinkLabel* lblOpenQuarantine_ = nullptr;
  ui::LinkLabel* lblViewLogs_ = nullptr;
  ui::Label* lblFileStatus_ = nullptr;
  ui::Label* lblInitialized_ = nullptr;
  ui::LinkLabel* lblCheckUpdates_ = nullptr;
};

}  // namespace nexolant
