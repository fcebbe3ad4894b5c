#pragma once

#include <memory>
#include <string>

#include "app/details_page.h"
#include "app/main_frame.h"
#include "app/navigation.h"
#include "app/page_table.h"
#include "app/services.h"
#include "app/status_page.h"
#include "app/tray.h"
#include "ignore/ignored_objects.h"
#include "monitor/active_monitoring_page.h"
#include "monitor/process_monitor.h"
#include "protection/protection_policy.h"
#include "quarantine/quarantine_page.h"
#include "quarantine/quarantine_store.h"
#include "reference/signature_source.h"
#include "reference/signature_tables.h"
#include "repair/report_page.h"
#include "scan/findings.h"
#include "scan/monitor_timer_control.h"
#include "scan/scan_control.h"
#include "scan/scan_navigation.h"
#include "scan/scan_now_page.h"
#include "scan/scanning_page.h"
#include "settings/options.h"
#include "settings/settings_page.h"
#include "settings/statistics_store.h"
#include "settings/usage_statistics.h"
#include "ui/controls.h"
#include "ui/deferred_actions.h"
#include "ui/exclusive_actions.h"

namespace nexolant {

// The program's one main window: the frame with its navigation and eight pages, the start-up
// and shutdown order, and the owner of the program's long-lived state (the signature tables,
// the options, the statistics, what the last scan found, the quarantine, the monitor). Each page
// is an object of its subsystem that shows its models and reaches shared state through small
// interfaces; the main window wires the pages' events to the models. The constructor builds
// every control; the Application runs FormCreate (Application::CreateForm or Run), FormShow
// and FormDestroy (Run).
class TMainForm : public ui::Form,
                  public ScanNavigation,
                  public SignatureSource,
                  public MonitorTimerControl {
 public:
  explicit TMainForm(AppServices services);
  ~TMainForm() override;

  // The signature tables, from CreateLists to FreeLists.
  const SignatureTables& Tables() const override { return *tables_; }
  UsageStatistics& Statistics() { return statistics_; }
  Options& UserOptions() { return options_; }
  Findings& ScanFindings() { return findings_; }
  IgnoredObjects& Ignored() const { return *ignored_; }
  const QuarantineStore& QuarantineFiles() const { return *quarantineStore_; }
  ProcessMonitor& Monitor() const { return *monitor_; }

  // What a scan needs of the navigation.
  void LockNavigation() override { navigation_.LockNavigation(); }
  void UnlockNavigation() override { navigation_.UnlockNavigation(); }
  void BackToStatus() override;
  void ShowScanningPage() override { navigation_.ShowScanningPage(); }
  void ShowReportPage() override { navigation_.ShowReportPage(); }
  // Shows a page with its title; the side buttons are the caller's business.
  void ShowPage(MainPage page) { navigation_.ShowPage(page); }

  // What a scan needs of the monitor.
  void SyncTimerWithMonitoring() override { monitor_->SyncTimerWithMonitoring(); }

  // The first show's start of the monitor, when the options ask for it.
  void StartMonitorIfConfigured();

  StatusPage& Status() const { return *statusPage_; }
  ScanNowPage& ScanNow() const { return *scanNowPage_; }
  ActiveMonitoringPage& ActiveMonitoring() const { return *activeMonitoringPage_; }
  QuarantinePage& Quarantine() const { return *quarantinePage_; }
  SettingsPage& Settings() const { return *settingsPage_; }
  DetailsPage& Details() const { return *detailsPage_; }
  ScanningPage& Scanning() const { return *scanningPage_; }
  ReportPage& Report() const { return *reportPage_; }
  ScanControl& Scan() const { return *scanControl_; }

 protected:
  // Start-up and shutdown steps whose failure is swallowed where the sequence runs them: the
  // step is abandoned and the sequence goes on.
  virtual void LoadStatistics();
  virtual void RebuildQuarantineList();
  virtual void SaveStatistics();

  // Whether the signature lists exist (between CreateLists and FreeLists).
  bool ListsCreated() const { return tables_ != nullptr; }

 private:
  void BuildPages();
  void WireEvents();

  // Lifecycle.
  void FormCreate();
  void FormShow();
  void FormCloseRequest();
  void FormClose();
  void FormDestroy();
  // The user's session ends: the window is never closed, so the options and the statistics
  // are saved here.
  void AppEventsEndSession();
  platform::Path SettingsFile() const;
  void ShowSplash();
  void CreateLists();
  void FreeLists();
  void LoadReference();

  // Runs a click's action now, or after a monitor refresh that is pumping now.
  void Act(std::function<void()> action);

  // The windows the frame's buttons open.
  void HelpBtnClick();
  void btnInfoClick();
  void btnUpdateClick();
  void lblIgnoredObjectsClick();
  void lblViewLogsClick();

  AppServices services_;
  std::unique_ptr<SignatureTables> tables_;
  MainFrame frame_;
  Navigation navigation_;
  ui::ExclusiveActions exclusiveActions_;
  ui::DeferredActions deferredActions_;

  // The state the pages share, and the pages in notebook order.
  UsageStatistics statistics_;
  Options options_;
  Findings findings_;
  ScanLog scanLog_;
  std::unique_ptr<protection::ProtectionPolicy> protection_;
  std::unique_ptr<IgnoredObjects> ignored_;
  std::unique_ptr<StatisticsStore> statisticsStore_;
  std::unique_ptr<QuarantineStore> quarantineStore_;
  std::unique_ptr<ProcessMonitor> monitor_;
  std::unique_ptr<StatusPage> statusPage_;
  std::unique_ptr<ScanNowPage> scanNowPage_;
  std::unique_ptr<ActiveMonitoringPage> activeMonitoringPage_;
  std::unique_ptr<QuarantinePage> quarantinePage_;
  std::unique_ptr<SettingsPage> settingsPage_;
  std::unique_ptr<DetailsPage> detailsPage_;
  std::unique_ptr<ScanningPage> scanningPage_;
  std::unique_ptr<ReportPage> reportPage_;
  std::unique_ptr<Tray> tray_;
  std::unique_ptr<ScanControl> scanControl_;
};

}  // namespace nexolant
