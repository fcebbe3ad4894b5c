#include "repair/repair.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "platform/errors.h"
#include "processes/process_list.h"
#include "quarantine/quarantine_files.h"
#include "registry/real_key.h"
#include "registry/t_registry.h"
#include "repair/key_quarantine.h"
#include "repair/key_removal.h"
#include "repair/startup_repair.h"

namespace nexolant {
namespace {

constexpr std::array<std::string_view, 3> kHiveNames{"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",
                                                     "HKEY_LOCAL_MACHINE"};

constexpr int kEndPolls = 20;
constexpr std::uint32_t kEndPollMilliseconds = 100;
// Short enough that a click or a repaint waits no longer than a pump interval.
constexpr std::uint32_t kPumpSliceMilliseconds = 10;
constexpr platform::DateTime kEndWait = 2.0 / 86400.0;

std::string BaseName(const std::string& path) {
  return path.substr(path.find_last_of('\\') + 1);
}

std::string ExactPathOf(const Finding& finding) {
  return finding.exact.Empty() ? std::string()
                               : PathInFolder(finding.exact.folder, finding.exact.name);
}

}  // namespace

platform::Path FilePathOf(const Finding& finding) {
  return {PathInFolder(finding.row.Location, finding.row.Caption), ExactPathOf(finding)};
}

RowKind KindOfLocation(std::string_view location) {
  if (location == kMemoryLocation) {
    return RowKind::kProcess;
  }
  for (std::string_view hive : kHiveNames) {
    if (location.starts_with(hive) &&
        (location.size() == hive.size() || location[hive.size()] == '\\')) {
      return RowKind::kRegistryKey;
    }
  }
  return RowKind::kFile;
}

Repair::Repair(RepairServices services, UsageStatistics& statistics, QuarantineStore& quarantine)
    : services_(std::move(services)), statistics_(statistics), quarantine_(quarantine) {}

// Keys go before files: a service, class or notification is told from Windows' own by the
// program it names, which must still be in its place. The files then go into the quarantine
// together, which writes its index once for all of them rather than once for each.
RepairOutcome Repair::Run(const std::vector<Finding>& findings, bool quarantine) {
  outcome_ = {.rows = std::vector<RowOutcome>(findings.size())};
  first_ = findings.data();
  const platform::FolderLockScope locked(services_.folderLock, services_.pump);
  const QuarantineStore::IntakeSession session(quarantine_);
  // Whether each row is acted on, asked once: keeping a file may mean hashing it.
  std::vector<bool> acting(findings.size());
  for (std::size_t k = 0; k < findings.size(); ++k) {
    const bool kept = Kept(findings[k]);
    acting[k] = findings[k].ticked && !kept;
    if (kept) {
      Set(findings[k], RowOutcome::Kind::kIgnored);
    }
  }
  TerminateProcesses(findings, acting);
  for (std::size_t k = 0; k < findings.size(); ++k) {
    if (acting[k] && findings[k].kind == RowKind::kRegistryKey) {
      RepairKey(findings[k], quarantine);
    }
  }
  for (std::size_t k = 0; k < findings.size(); ++k) {
    if (acting[k] && findings[k].kind == RowKind::kStartupEntry && !IsFileFinding(findings[k])) {
      RepairEntry(findings[k], quarantine);
    }
  }
  std::vector<IntakeRequest> intake;
  std::vector<const Finding*> taken;
  for (std::size_t k = 0; k < findings.size(); ++k) {
    const Finding& finding = findings[k];
    if (!acting[k] || !IsFileFinding(finding) || !Removable(finding)) {
      continue;
    }
    if (quarantine) {
      const ReportRow& row = finding.row;
      intake.push_back({row.Caption, row.Location, row.Description, ExactPathOf(finding)});
      taken.push_back(&finding);
    } else {
      Delete(finding);
    }
  }
  Quarantine(intake, taken);
  first_ = nullptr;
  return outcome_;
}

RowOutcome& Repair::OutcomeOf(const Finding& finding) {
  return outcome_.rows.at(static_cast<std::size_t>(&finding - first_));
}

void Repair::Set(const Finding& finding, RowOutcome::Kind kind, std::string entry) {
  OutcomeOf(finding) = {.kind = kind, .entry = std::move(entry)};
}

// A process that still runs once the others had time to end was not removed. Each is ended by
// its id, so a copy of the same name that the user unticked or keeps goes on running.
void Repair::TerminateProcesses(const std::vector<Finding>& findings,
                                const std::vector<bool>& acting) {
  std::vector<const Finding*> rows;
  std::vector<const Finding*> terminated;
  for (std::size_t k = 0; k < findings.size(); ++k) {
    const Finding& finding = findings[k];
    if (finding.kind != RowKind::kProcess || !acting[k]) {
      continue;
    }
    rows.push_back(&finding);
    Set(finding, RowOutcome::Kind::kGone);
    if (finding.processId > 0 &&
        TerminateProcessById(services_.processes, static_cast<std::uint32_t>(finding.processId),
                             finding.row.Caption, finding.imagePath)) {
      terminated.push_back(&finding);
      Set(finding, RowOutcome::Kind::kTerminated);
    }
  }
  if (!terminated.empty()) {
    AwaitEnd(terminated);
  }
  for (const Finding* process : rows) {
    if (StillRunning(*process)) {
      Failed(*process, 0);
    }
  }
}

void Repair::AwaitEnd(const std::vector<const Finding*>& processes) {
  const platform::DateTime deadline = services_.clock.Now() + kEndWait;
  const auto anyRunning = [&] {
    return std::any_of(processes.begin(), processes.end(),
                       [this](const Finding* process) { return StillRunning(*process); });
  };
  for (int poll = 0; poll < kEndPolls && anyRunning(); ++poll) {
    if (services_.clock.Now() >= deadline) {
      return;
    }
    PumpFor(kEndPollMilliseconds);
  }
}

// The only pumping of a repair: the caller keeps Repair and Cancel disabled, so what the
// window does meanwhile cannot start another repair.
void Repair::PumpFor(std::uint32_t milliseconds) {
  for (std::uint32_t waited = 0; waited < milliseconds; waited += kPumpSliceMilliseconds) {
    services_.pump.ProcessMessages();
    services_.clock.Sleep(kPumpSliceMilliseconds);
  }
}

bool Repair::StillRunning(const Finding& process) {
  ProcessList processes;
  ListProcesses(services_.processes, processes);
  const std::string name = services_.locale.UpperCase(BaseName(process.row.Caption));
  return std::any_of(processes.begin(), processes.end(), [&](const ProcessEntry& running) {
    return running.processId == process.processId &&
           services_.locale.UpperCase(BaseName(running.name)) == name;
  });
}

// What the user chose to keep since the scan is left as well.
bool Repair::Kept(const Finding& finding) {
  const ReportRow& row = finding.row;
  switch (finding.kind) {
    case RowKind::kProcess:
      return services_.ignored.KeepsProcess(finding.imagePath);
    case RowKind::kFile:
      return services_.ignored.KeepsFile(FilePathOf(finding));
    case RowKind::kRegistryKey: {
      const std::string real = RealPathOfKeyRow(services_.registry, row.Location, row.Caption);
      return !real.empty() && services_.ignored.KeepsKey(real);
    }
    case RowKind::kStartupEntry:
      return IsFileFinding(finding) ? services_.ignored.KeepsFile(FilePathOf(finding))
                                    : services_.ignored.KeepsEntry(finding.entry);
  }
  return false;
}

bool IsFileFinding(const Finding& finding) {
  return finding.kind == RowKind::kFile || (finding.kind == RowKind::kStartupEntry &&
                                            finding.entry.kind == StartupKind::kStartupFile);
}

void Repair::RepairEntry(const Finding& finding, bool quarantine) {
  const EntryRepairResult result = RepairStartupEntry({.registry = services_.registry,
                                                       .tasks = services_.tasks,
                                                       .serviceControl = services_.serviceControl,
                                                       .protection = services_.protection},
                                                      quarantine_, finding, quarantine);
  Set(finding, result.kept ? RowOutcome::Kind::kProtected : RowOutcome::Kind::kGone);
  if (result.quarantined) {
    statistics_.CountQuarantined();
    Set(finding, RowOutcome::Kind::kQuarantined, result.save);
  } else if (result.deleted) {
    statistics_.CountRemoved();
    Set(finding, RowOutcome::Kind::kDeleted);
  }
  if (result.stayed) {
    Failed(finding, result.error);
  }
}

// A protected file or folder is never touched, as the scan never reports one. A row whose
// folder went since the scan is not acted on: its file may be anywhere now.
bool Repair::Removable(const Finding& finding) {
  const ReportRow& row = finding.row;
  // The system's ANSI listing gives "?" for a character the code page cannot hold; no file
  // name holds one, so without its exact spelling such a path names no file to act on, and
  // the file stays.
  if (finding.exact.Empty() &&
      PathInFolder(row.Location, row.Caption).find_first_of("?*") != std::string::npos) {
    Failed(finding, platform::kErrorInvalidName);
    return false;
  }
  if (services_.protection.IsProtectedPath(PathInFolder(row.Location, row.Caption))) {
    Set(finding, RowOutcome::Kind::kProtected);
    return false;
  }
  const std::optional<std::uint32_t> folder =
      services_.files.FileAttributes(platform::Path(row.Location, finding.exact.folder));
  if (!folder || (*folder & platform::kAttributeDirectory) == 0) {
    Failed(finding, platform::kErrorPathNotFound);
    return false;
  }
  // The policy judged the place by what the file system says it is; a file that cannot be
  // opened to say so stays, and one already gone is no failure.
  const platform::Path path = FilePathOf(finding);
  if (!services_.files.Identity(path)) {
    if (services_.files.FileAttributes(path)) {
      Failed(finding, platform::kErrorAccessDenied);
    } else {
      Set(finding, RowOutcome::Kind::kGone);
    }
    return false;
  }
  return true;
}

void Repair::Quarantine(const std::vector<IntakeRequest>& files,
                        const std::vector<const Finding*>& found) {
  if (files.empty()) {
    return;
  }
  const std::vector<IntakeResult> results = quarantine_.TakeIn(files);
  for (std::size_t k = 0; k < files.size(); ++k) {
    if (results[k].quarantined) {
      statistics_.CountQuarantined();
      Set(*found[k], RowOutcome::Kind::kQuarantined, results[k].stored);
    } else {
      LeftInPlace(*found[k], {PathInFolder(files[k].folder, files[k].name), files[k].exactPath},
                  results[k].error);
    }
  }
}

void Repair::Delete(const Finding& finding) {
  const platform::Path path = FilePathOf(finding);
  const platform::Outcome removed = services_.files.RemoveFile(path);
  if (removed) {
    statistics_.CountRemoved();
    Set(finding, RowOutcome::Kind::kDeleted);
    return;
  }
  LeftInPlace(finding, path, removed.error);
}

// A file already gone is no failure.
void Repair::LeftInPlace(const Finding& finding, const platform::Path& path, std::uint32_t error) {
  if (services_.files.FileAttributes(path)) {
    Failed(finding, error);
  } else {
    Set(finding, RowOutcome::Kind::kGone);
  }
}

// The location is the hive name and the path of the parent key. A key already gone (deleted
// with its parent, or reported twice through the classes root's merged view) is no failure.
// Deleting through the classes root's view removes one real copy; a key the view still shows
// afterwards was not removed.
void Repair::RepairKey(const Finding& finding, bool quarantine) {
  const ReportRow& row = finding.row;
  const std::string& location = row.Location;
  const std::size_t slash = location.find('\\');
  const std::string hive = location.substr(0, slash);
  const std::string path =
      (slash == std::string::npos ? std::string() : location.substr(slash)) + "\\" + row.Caption;
  if (services_.protection.IsProtectedKey(location + "\\" + row.Caption)) {
    Set(finding, RowOutcome::Kind::kProtected);
    return;
  }
  const platform::RegistryRoot root = HiveRoot(hive);
  Set(finding, RowOutcome::Kind::kGone);
  if (quarantine) {
    const KeyQuarantineResult result =
        QuarantineKey(services_.registry, services_.protection, quarantine_, root, path.substr(1),
                      row.Description);
    if (result.quarantined) {
      statistics_.CountQuarantined();
      Set(finding, RowOutcome::Kind::kQuarantined, result.save);
    }
    if (!result.removed) {
      Failed(finding, result.error);
    }
    return;
  }
  const KeyRemovalResult result =
      DeleteFoundKey(services_.registry, services_.protection, root, path.substr(1));
  if (result.deleted && result.removed) {
    statistics_.CountRemoved();
    Set(finding, RowOutcome::Kind::kDeleted);
  }
  if (!result.removed) {
    Failed(finding, result.error);
  }
}

void Repair::Failed(const Finding& finding, std::uint32_t error) {
  OutcomeOf(finding) = {.kind = RowOutcome::Kind::kNotRemoved, .error = error};
  ++outcome_.notRemoved;
  outcome_.accessDenied = outcome_.accessDenied || error == platform::kErrorAccessDenied;
}

}  // namespace nexolant
