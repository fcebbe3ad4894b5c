#include "scan/scan_control.h"

#include <utility>

#include "platform/flag_scope.h"
#include "processes/process_list.h"
#include "quarantine/quarantine_files.h"
#include "reference/find_signature.h"

namespace nexolant {

ScanControl::ScanControl(ScanServices services, ScanPages pages, ScanPeers peers)
    : services_(std::move(services)),
      pages_(pages),
      peers_(peers),
      quarantineFolder_((services_.programFolder + kQuarantineFolderName).ansi),
      results_(peers_.findings, pages_.scanning),
      recurseDir_(services_.files),
      walkedPlaces_(services_.files),
      fileScan_(results_, peers_.signatures, peers_.protection, peers_.ignored,
                services_.application),
      registryScan_(services_.registry, results_, peers_.signatures, peers_.protection,
                    peers_.ignored, services_.application, flags_, peers_.options),
      startupScan_({.registry = services_.registry,
                    .files = services_.files,
                    .shortcuts = services_.shortcuts,
                    .tasks = services_.tasks,
                    .locale = services_.locale,
                    .pump = services_.application},
                   results_, peers_.findings, peers_.signatures, peers_.protection, peers_.ignored,
                   flags_),
      folderDialog_(services_.folderBrowser, services_.files, services_.registry) {
  recurseDir_.OnFileFound = [this](TRecurseDir& sender, const std::string& fileName) {
    fileScan_.RecurseDirFileFound(sender, fileName);
  };
  recurseDir_.OnEnd = [this](TRecurseDir&) { RecurseDirEnd(); };
  recurseDir_.SkipFolder = [this](const platform::Path& folder, const platform::FindData* entry) {
    return SkipFolder(folder, entry);
  };
  pages_.scanNow.OnNextClick = [this] { btnNextClick(); };
  pages_.scanNow.OnSelectClick = [this] { lblSelectClick(); };
  pages_.scanning.OnStopClick = [this] { btnStopClick(); };
}

void ScanControl::StopForClose() {
  if (running_) {
    stopped_ = true;
    flags_.StopRequested = true;
    recurseDir_.SetStopped(true);
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
    scanFolder_ = WindowsFolder();
  }
  peers_.navigation.LockNavigation();
  peers_.statistics.ScanStarted(services_.clock.Now());
  peers_.navigation.ShowScanningPage();
  const platform::FlagScope running(running_);
  stopped_ = false;
  failure_.clear();
  BeginLog(mode, mode == ScanMode::kComplete ? std::string() : scanFolder_);
  try {
    RunPhases();
  } catch (...) {
    try {
      throw;
    } catch (const std::exception& error) {
      failure_ = error.what();
    } catch (...) {
      failure_ = "Unexpected failure";
    }
    services_.application.ReportCurrentException();
    // The Windows folder was only this quick scan's: no later scan may walk it unasked.
    if (mode == ScanMode::kQuick) {
      scanFolder_.clear();
    }
    EndAfterFailure();
  }
}

void ScanControl::RunPhases() {
  results_.ResetScanCounters();
  MemoryPhase();
  // Each phase ends with the window showing its exact figures, not those of the last dispatch.
  services_.application.UpdateWindows();
  if (pages_.scanNow.Mode() == ScanMode::kComplete) {
    DriveWalk();
  } else {
    Walk(std::exchange(scanFolder_, {}));
  }
}

void ScanControl::MemoryPhase() {
  ProcessList processes;
  ListProcesses(services_.processes, processes);
  results_.ShowRunningProcesses(processes.size());
  results_.ClearReport();
  const SignatureTables& tables = peers_.signatures.Tables();
  for (const ProcessEntry& process : processes) {
    const int index = FindActiveSignature(process.name, tables.ProcessNames, services_.application);
    const auto id = static_cast<std::uint32_t>(process.processId);
    if (index < 0 || peers_.protection.IsProtectedProcess(process.name, id)) {
      continue;
    }
    std::string image = ImagePathOfProcess(services_.processes, id).value_or("");
    if (!peers_.ignored.KeepsProcess(image)) {
      results_.AddRow({.kind = RowKind::kProcess,
                       .row = {process.name, kMemoryLocation, tables.ProcessDescriptions.at(index)},
                       .processId = process.processId,
                       .imagePath = std::move(image)});
    }
  }
}

void ScanControl::DriveWalk() {
  flags_.DriveQueueActive = true;
  driveQueue_->clear();
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    if (IsFixedDrive(letter)) {
      driveQueue_->push_back(std::string(1, letter) + ":\\");
    }
  }
  walkedPlaces_.Start(*driveQueue_, services_.programFolder + kQuarantineFolderName);
  if (driveQueue_->empty()) {
    RecurseDirEnd();
    return;
  }
  std::string first = std::move(driveQueue_->front());
  driveQueue_->erase(driveQueue_->begin());
  Walk(std::move(first));
}

// The walk of one folder; without a folder (no Windows folder in quick mode) the scan goes on
// as after a walk.
void ScanControl::Walk(std::string folder) {
  if (folder.empty()) {
    RecurseDirEnd();
    return;
  }
  if (flags_.DriveQueueActive) {
    walkedPlaces_.Walking(folder);
  }
  recurseDir_.SetDirectory(std::move(folder));
  fileScan_.StartWalk();
  recurseDir_.Run();
}

void ScanControl::RecurseDirEnd() {
  if (flags_.DriveQueueActive && !driveQueue_->empty()) {
    std::string next = std::move(driveQueue_->front());
    driveQueue_->erase(driveQueue_->begin());
    Walk(std::move(next));
    return;
  }
  flags_.DriveQueueActive = false;
  services_.application.UpdateWindows();
  // A Stop before or during the registry phase ends the scan there.
  bool stopped = flags_.StopRequested;
  if (pages_.scanNow.ScanRegistry()) {
    stopped = registryScan_.ScanRegistry() || stopped;
  }
  if (peers_.options.ScanStartupEntries() && !stopped) {
    services_.application.UpdateWindows();
    startupScan_.ScanStartupEntries();
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

// A Stop in the memory or file phase chose the button's offer already.
void ScanControl::EndOfScan() {
  results_.ShowCurrent("Scan Complete.");
  SetEnding(ending_ == ScanEnding::kStop ? EndingByResults() : ending_, true);
  pages_.scanning.ShowComplete(true);
  services_.application.UpdateWindows();
  recurseDir_.SetStopped(false);
  flags_.StopRequested = false;
  peers_.log.End(peers_.findings.Items(), results_.Counters(),
                 !failure_.empty() ? ScanLogEnding::kFailed
                 : stopped_        ? ScanLogEnding::kStopped
                                   : ScanLogEnding::kFinished,
                 failure_);
  peers_.monitor.SyncTimerWithMonitoring();
}

void ScanControl::EndAfterFailure() {
  driveQueue_->clear();
  flags_.DriveQueueActive = false;
  flags_.RegistryScanRunning = false;
  flags_.StartupScanRunning = false;
  EndOfScan();
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
      stopped_ = true;
      flags_.StopRequested = true;
      if (!flags_.RegistryScanRunning && !flags_.StartupScanRunning) {
        recurseDir_.SetStopped(true);
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

ScanEnding ScanControl::EndingByResults() const {
  return results_.FoundAny() ? ScanEnding::kReport : ScanEnding::kFinish;
}

bool ScanControl::IsFixedDrive(char letter) const {
  if (letter >= 'A' && letter <= 'Z') {
    letter = static_cast<char>(letter - 'A' + 'a');
  }
  return services_.files.DriveTypeOf(std::string(1, letter) + ":\\") == platform::DriveType::kFixed;
}

// A complete scan walks each place once, whatever names the drives give it.
bool ScanControl::SkipFolder(const platform::Path& folder, const platform::FindData* entry) {
  return IsQuarantineFolder(folder.ansi) || (flags_.DriveQueueActive && entry != nullptr &&
                                             walkedPlaces_.Skip(folder, *entry, *driveQueue_));
}

bool ScanControl::IsQuarantineFolder(std::string_view folder) const {
  if (!folder.empty() && folder.back() == '\\') {
    folder.remove_suffix(1);
  }
  return services_.locale.SameText(folder, quarantineFolder_);
}

}  // namespace nexolant
