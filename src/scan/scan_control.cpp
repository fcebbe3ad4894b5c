#include "scan/scan_control.h"

#include <utility>

#include "monitor/process_list.h"
#include "reference/find_signature.h"

namespace nexolant {
namespace {

constexpr const char* kStop = "Stop";
constexpr const char* kReport = "Report";
constexpr const char* kFinish = "Finish";

// Marks a scan as running for the lifetime of the Next button's handler.
class RunningScope {
 public:
  explicit RunningScope(bool& running) : running_(running) { running_ = true; }
  ~RunningScope() { running_ = false; }
  RunningScope(const RunningScope&) = delete;
  RunningScope& operator=(const RunningScope&) = delete;

 private:
  bool& running_;
};

}  // namespace

ScanControl::ScanControl(ScanServices services, ScanPages pages, ScanPeers peers)
    : services_(std::move(services)),
      pages_(pages),
      peers_(peers),
      quarantineFolder_(services_.programFolder + "Quarantine"),
      results_(pages_.scanning, pages_.report, services_.locale),
      recurseDir_(services_.files),
      fileScan_(results_, peers_.signatures, services_.application),
      registryScan_(services_.registry, results_, peers_.signatures, services_.application, flags_,
                    peers_.options),
      folderDialog_(services_.folderBrowser, services_.files, services_.registry) {
  recurseDir_.OnFileFound = [this](TRecurseDir& sender, const std::string& fileName) {
    fileScan_.RecurseDirFileFound(sender, fileName);
  };
  recurseDir_.OnEnd = [this](TRecurseDir&) { RecurseDirEnd(); };
  recurseDir_.SkipFolder = [this](std::string_view folder) { return IsQuarantineFolder(folder); };
  pages_.scanNow.btnNext().OnClick = [this](ui::Control&) { btnNextClick(); };
  pages_.scanNow.lblSelect().OnClick = [this](ui::Control&) { lblSelectClick(); };
  pages_.scanning.btnStop().OnClick = [this](ui::Control&) { btnStopClick(); };
}

void ScanControl::StopForClose() {
  if (running_) {
    flags_.StopRequested = true;
    recurseDir_.SetStopped(true);
  }
}

void ScanControl::btnNextClick() {
  ScanNowPage& page = pages_.scanNow;
  if (page.chkSelect().Checked() && scanFolder_.empty()) {
    services_.application.ShowWarning("Please choose a path to scan first.", "Warning");
    return;
  }
  if (page.chkQuick().Checked()) {
    scanFolder_ = WindowsFolder();
  }
  peers_.navigation.LockNavigation();
  peers_.statistics.ScanStarted(services_.clock.Now());
  peers_.navigation.ShowScanningPage();
  const RunningScope running(running_);
  try {
    RunPhases();
  } catch (...) {
    services_.application.ReportCurrentException();
    EndAfterFailure();
  }
}

void ScanControl::RunPhases() {
  results_.ResetScanCounters();
  MemoryPhase();
  if (pages_.scanNow.chkComplete().Checked()) {
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
    const int index = FindSignature(process.name, tables.ProcessNames, services_.application);
    if (index >= 0) {
      results_.AddRow(RowKind::kProcess,
                      {process.name, kMemoryLocation, tables.ProcessDescriptions.at(index)});
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
  recurseDir_.SetDirectory(std::move(folder));
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
  if (pages_.scanNow.chkRegScan().Checked()) {
    registryScan_.ScanRegistry();
  }
  EndOfScan();
}

void ScanControl::EndOfScan() {
  ScanningPage& page = pages_.scanning;
  results_.ShowCurrent("Scan Complete.");
  if (page.btnStop().Caption() == kStop) {
    page.btnStop().SetCaption(results_.FoundAny() ? kReport : kFinish);
  }
  page.btnStop().SetEnabled(true);
  page.imgOK().SetVisible(true);
  recurseDir_.SetStopped(false);
  flags_.StopRequested = false;
  peers_.monitor.SyncTimerWithMonitoring();
}

void ScanControl::EndAfterFailure() {
  driveQueue_->clear();
  flags_.DriveQueueActive = false;
  flags_.RegistryScanRunning = false;
  EndOfScan();
}

void ScanControl::btnStopClick() {
  ScanningPage& page = pages_.scanning;
  ui::Button& button = page.btnStop();
  const std::string caption = button.Caption();
  if (caption == kFinish) {
    page.imgOK().SetVisible(false);
    peers_.navigation.BackToStatus();
  } else if (caption == kReport) {
    peers_.navigation.ShowReportPage();
  } else if (caption == kStop) {
    flags_.StopRequested = true;
    if (!flags_.RegistryScanRunning) {
      recurseDir_.SetStopped(true);
      button.SetEnabled(false);
      button.SetCaption(results_.FoundAny() ? kReport : kFinish);
    }
  }
}

void ScanControl::lblSelectClick() {
  pages_.scanNow.chkSelect().SetChecked(true);
  if (folderDialog_.Execute()) {
    scanFolder_ = folderDialog_.Folder();
  }
}

bool ScanControl::IsFixedDrive(char letter) const {
  if (letter >= 'A' && letter <= 'Z') {
    letter = static_cast<char>(letter - 'A' + 'a');
  }
  return services_.files.DriveTypeOf(std::string(1, letter) + ":\\") == platform::DriveType::kFixed;
}

bool ScanControl::IsQuarantineFolder(std::string_view folder) const {
  if (!folder.empty() && folder.back() == '\\') {
    folder.remove_suffix(1);
  }
  return services_.locale.SameText(folder, quarantineFolder_);
}

}  // namespace nexolant
