#include "scan/scan_phases.h"

#include <utility>

#include "platform/raise.h"
#include "processes/process_list.h"
#include "quarantine/quarantine_files.h"
#include "reference/find_signature.h"

namespace nexolant {

ScanPhases::ScanPhases(ScanPhaseServices services, ScanPhasePeers peers)
    : services_(std::move(services)),
      peers_(peers),
      quarantineFolder_((services_.programFolder + kQuarantineFolderName).ansi),
      results_(peers_.findings, peers_.view),
      recurseDir_(services_.files),
      walkedPlaces_(services_.files),
      fileScan_(results_, peers_.signatures, peers_.protection, peers_.ignored, services_.pump,
                ContentServices()),
      registryScan_(services_.registry, results_, peers_.signatures, peers_.protection,
                    peers_.ignored, services_.pump, flags_),
      startupScan_({.registry = services_.registry,
                    .files = services_.files,
                    .shortcuts = services_.shortcuts,
                    .tasks = services_.tasks,
                    .locale = services_.locale,
                    .pump = services_.pump},
                   results_, peers_.findings, peers_.signatures, peers_.protection, peers_.ignored,
                   flags_) {
  recurseDir_.OnFileFound = [this](TRecurseDir& sender, const std::string& fileName) {
    fileScan_.RecurseDirFileFound(sender, fileName);
  };
  recurseDir_.OnEnd = [this](TRecurseDir&) { RecurseDirEnd(); };
  recurseDir_.SkipFolder = [this](const platform::Path& folder, const platform::FindData* entry) {
    return SkipFolder(folder, entry);
  };
}

bool ScanPhases::Run(const ScanPlan& plan) {
  plan_ = plan;
  stopped_ = false;
  try {
    results_.ResetScanCounters();
    MemoryPhase();
    Raise(OnPhaseEnd);
    if (plan_.mode == ScanMode::kComplete) {
      DriveWalk();
    } else {
      Walk(plan_.folder);
    }
  } catch (...) {
    driveQueue_->clear();
    Reset();
    throw;
  }
  Reset();
  return stopped_;
}

// A Stop during the registry or startup phase leaves the walker alone: its walks are over.
bool ScanPhases::Stop() {
  stopped_ = true;
  flags_.StopRequested = true;
  if (flags_.RegistryScanRunning || flags_.StartupScanRunning) {
    return false;
  }
  recurseDir_.SetStopped(true);
  return true;
}

void ScanPhases::Reset() {
  flags_ = {};
  recurseDir_.SetStopped(false);
}

void ScanPhases::MemoryPhase() {
  ProcessList processes;
  ListProcesses(services_.processes, processes);
  results_.ShowRunningProcesses(processes.size());
  results_.ClearReport();
  const SignatureTables& tables = peers_.signatures.Tables();
  for (const ProcessEntry& process : processes) {
    const int index = FindActiveSignature(process.name, tables.ProcessNames, services_.pump);
    const auto id = static_cast<std::uint32_t>(process.processId);
    std::optional<std::string> image;
    const std::string* description =
        index >= 0 ? &tables.ProcessDescriptions.at(index) : KnownImage(id, image);
    if (description == nullptr || peers_.protection.IsProtectedProcess(process.name, id)) {
      continue;
    }
    if (!image) {
      image = ImagePathOfProcess(services_.processes, id).value_or("");
    }
    if (!peers_.ignored.KeepsProcess(*image)) {
      results_.AddRow({.kind = RowKind::kProcess,
                       .row = {process.name, kMemoryLocation, *description},
                       .processId = process.processId,
                       .imagePath = std::move(*image)});
    }
  }
}

// A process whose name matches nothing is known by its image's content, when that image is no
// protected file; image is then the path read. The phase runs over every process, but a Stop
// abandons the hash of an image being read.
const std::string* ScanPhases::KnownImage(std::uint32_t processId,
                                          std::optional<std::string>& image) {
  const HashSignatures& known = peers_.signatures.Tables().FileHashes;
  if (known.empty()) {
    return nullptr;
  }
  image = ImagePathOfProcess(services_.processes, processId);
  const HashSignature* found = image
                                   ? FindKnownContentOfFile(ContentServices(), known, *image,
                                                            [this] { return flags_.StopRequested; })
                                   : nullptr;
  return found != nullptr && !peers_.protection.IsProtectedPath(*image) ? &found->description
                                                                        : nullptr;
}

ContentMatchServices ScanPhases::ContentServices() const {
  return {.files = services_.files,
          .verifier = platform::SystemSignatureVerifier(),
          .pump = services_.pump};
}

void ScanPhases::DriveWalk() {
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
void ScanPhases::Walk(std::string folder) {
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

void ScanPhases::RecurseDirEnd() {
  if (flags_.DriveQueueActive && !driveQueue_->empty()) {
    std::string next = std::move(driveQueue_->front());
    driveQueue_->erase(driveQueue_->begin());
    Walk(std::move(next));
    return;
  }
  flags_.DriveQueueActive = false;
  Raise(OnPhaseEnd);
  // A Stop before or during the registry phase ends the scan there.
  bool stopped = flags_.StopRequested;
  if (plan_.registry) {
    stopped = registryScan_.ScanRegistry(plan_.deepRegistry) || stopped;
  }
  if (plan_.startupEntries && !stopped) {
    Raise(OnPhaseEnd);
    startupScan_.ScanStartupEntries();
  }
}

bool ScanPhases::IsFixedDrive(char letter) const {
  if (letter >= 'A' && letter <= 'Z') {
    letter = static_cast<char>(letter - 'A' + 'a');
  }
  return services_.files.DriveTypeOf(std::string(1, letter) + ":\\") == platform::DriveType::kFixed;
}

// A complete scan walks each place once, whatever names the drives give it.
bool ScanPhases::SkipFolder(const platform::Path& folder, const platform::FindData* entry) {
  return IsQuarantineFolder(folder.ansi) || (flags_.DriveQueueActive && entry != nullptr &&
                                             walkedPlaces_.Skip(folder, *entry, *driveQueue_));
}

bool ScanPhases::IsQuarantineFolder(std::string_view folder) const {
  if (!folder.empty() && folder.back() == '\\') {
    folder.remove_suffix(1);
  }
  return services_.locale.SameText(folder, quarantineFolder_);
}

}  // namespace nexolant
