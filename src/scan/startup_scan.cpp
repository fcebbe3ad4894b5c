#include "scan/startup_scan.h"

#include <algorithm>
#include <optional>

#include "platform/flag_scope.h"
#include "reference/find_signature.h"

namespace nexolant {
namespace {

std::string_view BaseName(std::string_view path) {
  return path.substr(path.find_last_of('\\') + 1);
}

}  // namespace

StartupScan::StartupScan(StartupScanServices services, ScanResults& results,
                         const Findings& findings, const SignatureSource& signatures,
                         const protection::ProtectionPolicy& protection,
                         const IgnoredObjects& ignored, ScanFlags& flags)
    : services_(services),
      results_(results),
      findings_(findings),
      signatures_(signatures),
      protection_(protection),
      ignored_(ignored),
      flags_(flags) {}

void StartupScan::ScanStartupEntries() {
  const platform::FlagScope running(flags_.StartupScanRunning);
  lastTask_.clear();
  StartupReader reader({.registry = services_.registry,
                        .files = services_.files,
                        .shortcuts = services_.shortcuts,
                        .tasks = services_.tasks,
                        .entries = protection_.Entries()});
  reader.Read([this](const FoundEntry& found) { return Examine(found); });
  flags_.StopRequested = false;
}

bool StartupScan::Examine(const FoundEntry& found) {
  if (flags_.StopRequested) {
    return false;
  }
  services_.pump.ProcessMessages();
  results_.CountScanned();
  results_.ShowCurrent(Shown(found));
  const StartupEntry& entry = found.entry;
  if (entry.kind == StartupKind::kScheduledTask && entry.taskPath == lastTask_) {
    return true;
  }
  if (const std::optional<std::string> description = Judge(found)) {
    services_.pump.ProcessMessages();
    Finding finding{.kind = RowKind::kStartupEntry,
                    .row = {found.name, found.location, *description},
                    .entry = entry};
    if (found.file.HasExact()) {
      const std::size_t cut = found.file.exact.rfind('\\');
      finding.exact = {found.file.exact.substr(0, cut), found.file.exact.substr(cut + 1)};
    }
    results_.AddRow(std::move(finding));
    if (entry.kind == StartupKind::kScheduledTask) {
      lastTask_ = entry.taskPath;
    }
  }
  return true;
}

std::optional<std::string> StartupScan::Judge(const FoundEntry& found) {
  const StartupEntry& entry = found.entry;
  if (entry.program.empty()) {
    return std::nullopt;
  }
  const SignatureTables& tables = signatures_.Tables();
  std::optional<std::string> description;
  const int program =
      FindActiveSignature(BaseName(entry.program), tables.ProcessNames, services_.pump);
  if (program >= 0) {
    description = tables.ProcessDescriptions.at(program);
  } else {
    const int own = FindActiveSignature(BaseName(found.name), tables.RegistryNames, services_.pump);
    if (own < 0) {
      return std::nullopt;
    }
    description = tables.RegistryDescriptions.at(own);
  }
  // Only a match is asked about: the policy's answers cost calls of the system.
  if (protection_.Entries().IsWindowsProgram(entry.program)) {
    return std::nullopt;
  }
  switch (entry.kind) {
    case StartupKind::kStartupFile:
      if (protection_.IsProtectedPath(found.file.ansi) || ignored_.KeepsFile(found.file) ||
          ReportedAsFile(found)) {
        return std::nullopt;
      }
      return description;
    case StartupKind::kService:
    case StartupKind::kBrowserHelper:
      // A toolbar is a value of a key the policy keeps; it is judged by its program alone.
      if (!entry.isValue &&
          (protection_.IsProtectedKey(entry.keyFullPath) || ReportedAsKey(entry))) {
        return std::nullopt;
      }
      break;
    case StartupKind::kRunValue:
    case StartupKind::kScheduledTask:
      break;
  }
  return ignored_.KeepsEntry(entry) ? std::nullopt : description;
}

bool StartupScan::ReportedAsFile(const FoundEntry& found) const {
  const std::vector<Finding>& items = findings_.Items();
  return std::any_of(items.begin(), items.end(), [&](const Finding& finding) {
    return finding.kind == RowKind::kFile &&
           services_.locale.SameText(finding.row.Location, found.location) &&
           services_.locale.SameText(finding.row.Caption, found.name);
  });
}

// The registry phase reports a key by its parent's path and its name.
bool StartupScan::ReportedAsKey(const StartupEntry& entry) const {
  const std::vector<Finding>& items = findings_.Items();
  return !entry.isValue && std::any_of(items.begin(), items.end(), [&](const Finding& finding) {
    return finding.kind == RowKind::kRegistryKey &&
           services_.locale.SameText(finding.row.Location + "\\" + finding.row.Caption,
                                     entry.keyFullPath);
  });
}

std::string StartupScan::Shown(const FoundEntry& found) {
  switch (found.entry.kind) {
    case StartupKind::kStartupFile:
      return found.file.ansi;
    case StartupKind::kScheduledTask:
      return std::string(kScheduledTaskLocation) + ": " + found.name;
    case StartupKind::kRunValue:
    case StartupKind::kService:
    case StartupKind::kBrowserHelper:
      break;
  }
  return found.entry.isValue ? found.entry.keyFullPath + "\\" + found.name
                             : found.entry.keyFullPath;
}

}  // namespace nexolant
