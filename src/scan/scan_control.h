#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "ignore/ignored_objects.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/folder_browser.h"
#include "platform/locale.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/startup_services.h"
#include "platform/string_list.h"
#include "protection/protection_policy.h"
#include "reference/signature_source.h"
#include "scan/findings.h"
#include "scan/folder_dialog.h"
#include "scan/monitor_timer_control.h"
#include "scan/scan_log.h"
#include "scan/scan_navigation.h"
#include "scan/scan_now_page.h"
#include "scan/scan_phases.h"
#include "scan/scan_state.h"
#include "scan/scanning_page.h"
#include "scan/t_recurse_dir.h"
#include "settings/options.h"
#include "settings/usage_statistics.h"
#include "ui/application.h"
#include "ui/deferred_actions.h"

namespace nexolant {

// The system services a scan uses.
struct ScanServices {
  platform::FileSystem& files;
  platform::Registry& registry;
  platform::ProcessApi& processes;
  platform::Clock& clock;
  const platform::Locale& locale;
  platform::FolderBrowser& folderBrowser;
  platform::Shortcuts& shortcuts;
  platform::ScheduledTasks& tasks;
  ui::Application& application;
  platform::Path programFolder;  // with a trailing backslash
};

// The pages a scan drives.
struct ScanPages {
  ScanNowPage& scanNow;
  ScanningPage& scanning;
};

// What a scan reaches of the rest of the window.
struct ScanPeers {
  ScanNavigation& navigation;
  UsageStatistics& statistics;
  MonitorTimerControl& monitor;
  const Options& options;
  const SignatureSource& signatures;
  // What no scan reports: Windows' own processes, files and keys, and the program's own.
  const protection::ProtectionPolicy& protection;
  // What the user keeps is counted as scanned and never reported.
  const IgnoredObjects& ignored;
  Findings& findings;
  // The user's clicks that arrive while the monitor refreshes wait for its end.
  ui::DeferredActions& deferred;
  // Every scan's log, when the options keep one.
  ScanLog& log;
};

// The system scan behind the Scan Now and Scanning pages: the choice of folder, the start of a
// scan with its phases (ScanPhases: running processes, files, registry, startup entries), the
// end of the scan and the Stop/Report/Finish button. A scan runs inside the Next button's
// handler; Stop and monitor ticks run nested in its pumps and act through the phases' flags.
class ScanControl {
 public:
  ScanControl(ScanServices services, ScanPages pages, ScanPeers peers);
  ScanControl(const ScanControl&) = delete;
  ScanControl& operator=(const ScanControl&) = delete;

  // The drive queue exists from the start-up's creation of the lists to their release.
  void CreateDriveQueue() { phases_.CreateDriveQueue(); }
  void FreeDriveQueue() { phases_.FreeDriveQueue(); }

  // The main window is closing: a running scan stops at its next test and ends.
  void StopForClose();
  // Back on the Status page: the button offers Stop for the next scan.
  void ResetEnding();

  const std::string& ScanFolder() const { return scanFolder_; }
  const ScanFlags& Flags() const { return phases_.Flags(); }
  const TRecurseDir& RecurseDir() const { return phases_.RecurseDir(); }

  // Handlers.
  void btnNextClick();
  void lblSelectClick();
  void btnStopClick();

 private:
  // Steps of the end of a scan after its phases.
  void EndOfScan();
  void SetEnding(ScanEnding ending, bool enabled);
  void BeginLog(ScanMode mode, const std::string& folder);
  ScanEnding EndingByResults();

  ScanServices services_;
  ScanPages pages_;
  ScanPeers peers_;
  ScanPhases phases_;
  ScanEnding ending_ = ScanEnding::kStop;
  bool endingEnabled_ = true;
  std::string scanFolder_;
  TPBFolderDialog folderDialog_;
  bool running_ = false;
  bool stopped_ = false;  // a Stop was pressed during this scan
  std::string failure_;   // the error that ended this scan, if one did
};

}  // namespace nexolant
