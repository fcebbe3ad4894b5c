#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ignore/ignored_objects.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "quarantine/quarantine_store.h"
#include "repair/repair.h"
#include "scan/findings.h"
#include "scan/scan_log.h"
#include "scan/scan_navigation.h"
#include "settings/options.h"
#include "settings/usage_statistics.h"
#include "ui/application.h"
#include "ui/button.h"
#include "ui/deferred_actions.h"
#include "ui/exclusive_actions.h"
#include "ui/list_view.h"
#include "ui/notebook.h"

namespace nexolant {

struct ReportServices {
  platform::FileSystem& files;
  platform::Shell& shell;
  platform::Registry& registry;
  platform::ProcessApi& processes;
  platform::ScheduledTasks& tasks;
  platform::ServiceControl& serviceControl;
  platform::Clock& clock;
  const platform::Locale& locale;
  platform::FolderLock& folderLock;
  ui::Application& application;
};

// What the page reaches of the rest of the window.
struct ReportPeers {
  ScanNavigation& navigation;
  UsageStatistics& statistics;
  const Options& options;
  Findings& findings;  // the rows' ticks are kept there
  IgnoredObjects& ignored;
  QuarantineStore& quarantine;
  const protection::ProtectionPolicy& protection;
  ui::ExclusiveActions& actions;  // Repair and Cancel join them
  ui::DeferredActions& deferred;  // clicks during a monitor refresh wait for its end
  ScanLog& log;                   // the last scan's log, which a repair adds to
};

// Page 7: what a scan found, one row each in the order found with the tick that chooses it for
// Repair, the list's menu, and the two ways out of the scan: Repair and Cancel.
class ReportPage {
 public:
  ReportPage(ui::NotebookPage& page, ReportServices services, ReportPeers peers);

  void ShowCleared();
  void ShowFinding(const Finding& finding);
  void ShowTick(std::size_t index);

  // A repair is over; the Status page comes next.
  std::function<void()> OnRepaired;
  // The user asked for the facts of a row.
  std::function<void(const Finding&)> OnShowDetails;

  // The items of the list's menu, in order.
  enum class MenuChoice { kTickAll, kUntickAll, kDetails, kOpenFolder, kAlwaysIgnore };

  ui::ListView& Report() const { return *Report_; }
  ui::Button& btnCancel() const { return *btnCancel_; }
  ui::Button& btnRepair() const { return *btnRepair_; }

  // Handlers.
  void btnRepairClick();
  void btnCancelClick();
  void ReportToggle(const std::vector<int>& rows);
  void ReportContextMenu();
  void ReportDoubleClick(int index);

 private:
  void ReportLeftOver(const RepairOutcome& outcome);
  void TickAll(bool ticked);
  void OpenContainingFolder(const Finding& finding);
  void AlwaysIgnore(const std::vector<int>& rows);
  std::optional<std::string> Keep(const Finding& finding);

  ReportServices services_;
  ReportPeers peers_;
  ui::ListView* Report_ = nullptr;
  ui::Button* btnCancel_ = nullptr;
  ui::Button* btnRepair_ = nullptr;
};

}  // namespace nexolant
