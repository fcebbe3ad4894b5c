#include "scan/scan_control.h"

#include <exception>
#include <utility>

#include "platform/flag_scope.h"

namespace nexolant {

ScanControl::ScanControl(ScanServices services, ScanPages pages, ScanPeers peers)
    : services_(std::move(services)),
      pages_(pages),
      peers_(peers),
      phases_({.files = services_.files,
               .registry = services_.registry,
               .processes = services_.processes,
               .locale = services_.locale,
               .shortcuts = services_.shortcuts,
               .tasks = services_.tasks,
               .pump = services_.application,
               .programFolder = services_.programFolder},
              {.signatures = peers_.signatures,
               .protection = peers_.protection,
               .ignored = peers_.ignored,
               .findings = peers_.findings,
               .view = pages_.scanning}),
      folderDialog_(services_.folderBrowser, services_.files, services_.registry) {
  // Each phase ends with the window showing its exact figures, not those of the last dispatch.
  phases_.OnPhaseEnd = [this] { services_.application.UpdateWindows(); };
  pages_.scanNow.OnNextClick = [this] { btnNextClick(); };
  pages_.scanNow.OnSelectClick = [this] { lblSelectClick(); };
  pages_.scanning.OnStopClick = [this] { btnStopClick(); };
}

void ScanControl::StopForClose() {
  if (running_) {
    phases_.Stop();
  }
}

void ScanControl::ResetEnding() {
  SetEnding(ScanEnding::kStop, endingEnabled_);
}

// A click during a monitor refresh starts the scan once the refresh is over, so that the
// monitor's ticks go on during the scan.
void ScanControl::btnNextClick() {
  if (peers_.deferred.Defer([this] { btnNextClick(); })) {
    return;
  }
  const ScanMode mode = pages_.scanNow.Mode();
  if (mode == ScanMode::kChosenFolder && scanFolder_.empty()) {
    services_.application.ShowWarning("Please choose a path to scan first.", "Warning");
    return;
  }
  if (mode == ScanMode::kQuick) {
    scanFolder_ = services_.files.WindowsFolder().ansi;
  }
  peers_.navigation.LockNavigation();
  peers_.statistics.ScanStarted(services_.clock.Now());
  peers_.navigation.ShowScanningPage();
  const platform::FlagScope running(running_);
  stopped_ = false;
  failure_.clear();
  BeginLog(mode, mode == ScanMode::kComplete ? std::string() : scanFolder_);
  try {
    // The folder walked is this scan's only: the next one asks again. A complete scan leaves
    // the chosen folder for the next.
    stopped_ = phases_.Run(
        {.mode = mode,
         .folder = mode == ScanMode::kComplete ? std::string() : std::exchange(scanFolder_, {}),
         .registry = pages_.scanNow.ScanRegistry(),
         .deepRegistry = peers_.options.DeepScanRegistry(),
         .startupEntries = peers_.options.ScanStartupEntries()});
  } catch (...) {
    try {
      throw;
    } catch (const std::exception& error) {
      failure_ = error.what();
    } catch (...) {
      failure_ = "Unexpected failure";
    }
    services_.application.ReportCurrentException();
  }
  EndOfScan();
}

void ScanControl::BeginLog(ScanMode mode, const std::string& folder) {
  if (!peers_.options.KeepScanLog()) {
    peers_.log.Skip();
    return;
  }
  peers_.log.Begin({.mode = mode,
                    .folder = folder,
                    .registry = pages_.scanNow.ScanRegistry(),
                    .deepRegistry = peers_.options.DeepScanRegistry(),
                    .startupEntries = peers_.options.ScanStartupEntries(),
                    .quarantine = peers_.options.QuarantineBeforeRemoval()},
                   peers_.signatures.Tables());
}

// A Stop in the memory or file phase chose the button's offer already; a failure ends the scan
// as a stop does.
void ScanControl::EndOfScan() {
  phases_.Results().ShowCurrent("Scan Complete.");
  SetEnding(ending_ == ScanEnding::kStop ? EndingByResults() : ending_, true);
  pages_.scanning.ShowComplete(true);
  services_.application.UpdateWindows();
  peers_.log.End(peers_.findings.Items(), phases_.Results().Counters(),
                 !failure_.empty() ? ScanLogEnding::kFailed
                 : stopped_        ? ScanLogEnding::kStopped
                                   : ScanLogEnding::kFinished,
                 failure_);
  peers_.monitor.SyncTimerWithMonitoring();
}

void ScanControl::btnStopClick() {
  if (peers_.deferred.Defer([this] { btnStopClick(); })) {
    return;
  }
  switch (ending_) {
    case ScanEnding::kFinish:
      pages_.scanning.ShowComplete(false);
      peers_.navigation.BackToStatus();
      break;
    case ScanEnding::kReport:
      peers_.navigation.ShowReportPage();
      break;
    case ScanEnding::kStop:
      if (phases_.Stop()) {
        SetEnding(EndingByResults(), false);
      }
      break;
  }
}

void ScanControl::lblSelectClick() {
  if (peers_.deferred.Defer([this] { lblSelectClick(); })) {
    return;
  }
  // The system's dialog runs a modal loop of its own, which dispatches the queue too.
  const ui::Application::ModalScope modal(services_.application);
  if (folderDialog_.Execute()) {
    scanFolder_ = folderDialog_.Folder();
  }
}

void ScanControl::SetEnding(ScanEnding ending, bool enabled) {
  ending_ = ending;
  endingEnabled_ = enabled;
  pages_.scanning.ShowEnding(ending, enabled);
}

ScanEnding ScanControl::EndingByResults() {
  return phases_.Results().FoundAny() ? ScanEnding::kReport : ScanEnding::kFinish;
}

}  // namespace nexolant
