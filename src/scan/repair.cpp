#include "scan/repair.h"

#include <array>
#include <utility>

#include "monitor/process_list.h"
#include "platform/errors.h"
#include "quarantine/quarantine_files.h"
#include "registry/t_registry.h"
#include "scan/scan_results.h"

namespace nexolant {
namespace {

constexpr std::array<std::string_view, 3> kHiveNames{"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",
                                                     "HKEY_LOCAL_MACHINE"};

// The files beside the executable that the program itself needs.
constexpr std::array<std::string_view, 4> kOwnFiles{"Nexolant.exe", "Reference.dat", "Nexolant.ini",
                                                    kQuarantineIndexName};

constexpr int kEndPolls = 20;
constexpr std::uint32_t kEndPollMilliseconds = 100;
constexpr platform::DateTime kEndWait = 2.0 / 86400.0;

const std::string& Location(const ui::ListItem& row) {
  return row.subItems.at(0);
}

std::string BaseName(const std::string& path) {
  return path.substr(path.find_last_of('\\') + 1);
}

}  // namespace

RepairKind KindOfLocation(std::string_view location) {
  if (location == kMemoryLocation) {
    return RepairKind::kProcess;
  }
  for (std::string_view hive : kHiveNames) {
    if (location.starts_with(hive) &&
        (location.size() == hive.size() || location[hive.size()] == '\\')) {
      return RepairKind::kRegistryKey;
    }
  }
  return RepairKind::kFile;
}

Repair::Repair(RepairServices services, UsageStatistics& statistics, QuarantineIntake& intake)
    : services_(std::move(services)), statistics_(statistics), intake_(intake) {}

RepairOutcome Repair::Run(const ui::ListView& report, bool quarantine) {
  outcome_ = {};
  TerminateProcesses(report);
  for (const ui::ListItem& row : report.Items()) {
    switch (KindOfLocation(Location(row))) {
      case RepairKind::kProcess:
        break;
      case RepairKind::kFile:
        RepairFile(row, quarantine);
        break;
      case RepairKind::kRegistryKey:
        RepairKey(row);
        break;
    }
  }
  return outcome_;
}

// A process row whose process still runs once the others had time to end was not removed.
void Repair::TerminateProcesses(const ui::ListView& report) {
  StringList rows;
  StringList terminated;
  for (const ui::ListItem& row : report.Items()) {
    if (KindOfLocation(Location(row)) == RepairKind::kProcess) {
      rows.push_back(row.caption);
      if (TerminateProcessByName(services_.processes, row.caption)) {
        terminated.push_back(row.caption);
      }
    }
  }
  if (!terminated.empty()) {
    AwaitEnd(terminated);
  }
  for (const std::string& name : rows) {
    if (AnyRunning({name})) {
      Failed(0);
    }
  }
}

void Repair::AwaitEnd(const StringList& names) {
  const platform::DateTime deadline = services_.clock.Now() + kEndWait;
  for (int poll = 0; poll < kEndPolls && AnyRunning(names); ++poll) {
    if (services_.clock.Now() >= deadline) {
      return;
    }
    services_.clock.Sleep(kEndPollMilliseconds);
  }
}

bool Repair::AnyRunning(const StringList& names) {
  ProcessList processes;
  ListProcesses(services_.processes, processes);
  for (const ProcessEntry& process : processes) {
    const std::string running = services_.locale.UpperCase(BaseName(process.name));
    for (const std::string& name : names) {
      if (running == services_.locale.UpperCase(name)) {
        return true;
      }
    }
  }
  return false;
}

// A row whose folder went since the scan is not acted on: its file may be anywhere now.
void Repair::RepairFile(const ui::ListItem& row, bool quarantine) {
  const std::string& folder = Location(row);
  const std::string& name = row.caption;
  if (IsOwnFile(folder, name)) {
    return;
  }
  if (!services_.files.FolderExists(folder)) {
    Failed(platform::kErrorPathNotFound);
    return;
  }
  const std::string path = folder + "\\" + name;
  std::uint32_t errorCode = 0;
  if (quarantine) {
    const IntakeResult result = intake_.TakeIn(name, folder, row.subItems.at(1));
    if (result.quarantined) {
      statistics_.CountQuarantined();
      return;
    }
    errorCode = result.errorCode;
  } else {
    if (services_.files.RemoveFile(path)) {
      statistics_.CountRemoved();
      return;
    }
    errorCode = services_.files.LastError();
  }
  if (services_.files.FileAttributes(path)) {
    Failed(errorCode);
  }
}

// The location is the hive name and the path of the parent key. A key already gone (deleted
// with its parent, or reported twice through the classes root's merged view) is no failure.
void Repair::RepairKey(const ui::ListItem& row) {
  const std::string& location = Location(row);
  const std::size_t slash = location.find('\\');
  const std::string hive = location.substr(0, slash);
  const std::string path =
      (slash == std::string::npos ? std::string() : location.substr(slash)) + "\\" + row.caption;
  try {
    TRegistry registry(services_.registry);
    registry.SetRootKey(HiveRoot(hive));
    if (registry.DeleteKey(path)) {
      statistics_.CountRemoved();
      return;
    }
    const std::uint32_t errorCode = services_.registry.LastError();
    if (registry.KeyExists(path) ||
        services_.registry.LastError() != platform::kErrorFileNotFound) {
      Failed(errorCode);
    }
  } catch (...) {
    Failed(0);
  }
}

// The quarantine folder holds what is quarantined already; the program's own files beside the
// executable are never touched.
bool Repair::IsOwnFile(const std::string& folder, const std::string& name) const {
  const platform::Locale& locale = services_.locale;
  const std::string quarantine = services_.programFolder + kQuarantineFolderName;
  if (locale.SameText(folder, quarantine) ||
      (folder.size() > quarantine.size() &&
       locale.SameText(std::string_view(folder).substr(0, quarantine.size() + 1),
                       quarantine + "\\"))) {
    return true;
  }
  if (!locale.SameText(folder + "\\", services_.programFolder)) {
    return false;
  }
  for (std::string_view own : kOwnFiles) {
    if (locale.SameText(name, own)) {
      return true;
    }
  }
  return false;
}

void Repair::Failed(std::uint32_t errorCode) {
  ++outcome_.notRemoved;
  outcome_.accessDenied = outcome_.accessDenied || errorCode == platform::kErrorAccessDenied;
}

}  // namespace nexolant
