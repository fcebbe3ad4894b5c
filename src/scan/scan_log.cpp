#include "scan/scan_log.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <utility>

#include "platform/date_text.h"

namespace nexolant {
namespace {

constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";
constexpr const char* kCannotWrite =
    "Nexolant cannot write the scan log into its Logs folder; the scans go on without a log.";

const char* ModeText(ScanMode mode) {
  switch (mode) {
    case ScanMode::kQuick:
      return "quick";
    case ScanMode::kComplete:
      return "complete";
    case ScanMode::kChosenFolder:
      break;
  }
  return "chosen folder";
}

const char* YesNo(bool yes) {
  return yes ? "yes" : "no";
}

const char* KindText(const Finding& finding) {
  switch (finding.kind) {
    case RowKind::kProcess:
      return "Process";
    case RowKind::kFile:
      return "File";
    case RowKind::kRegistryKey:
      return "Registry key";
    case RowKind::kStartupEntry:
      break;
  }
  return StartupKindName(finding.entry.kind);
}

// A log's name for its start time: the time with "-" for ":", which no file name holds.
std::string NameOfTime(platform::DateTime when) {
  std::string name = platform::IsoDateTime(when);
  std::replace(name.begin(), name.end(), ':', '-');
  return name;
}

// The start time and number of a log's name ("2026-12-11 05-30-00-2.txt": 2; 1 without a
// number); none for any other name.
std::optional<std::pair<std::string, unsigned>> LogNameParts(const std::string& name) {
  constexpr std::size_t kTimeLength = 19;
  if (name.size() < kTimeLength + 4 || !name.ends_with(".txt")) {
    return std::nullopt;
  }
  const std::string time = name.substr(0, kTimeLength);
  for (std::size_t k = 0; k < kTimeLength; ++k) {
    const bool digit = time[k] >= '0' && time[k] <= '9';
    const char expected = k == 4 || k == 7 ? '-' : k == 10 ? ' ' : k == 13 || k == 16 ? '-' : 0;
    if (expected != 0 ? time[k] != expected : !digit) {
      return std::nullopt;
    }
  }
  const std::string rest = name.substr(kTimeLength, name.size() - kTimeLength - 4);
  if (rest.empty()) {
    return std::pair(time, 1U);
  }
  if (rest.size() < 2 || rest.size() > 6 || rest[0] != '-' || rest[1] == '0' ||
      !std::all_of(rest.begin() + 1, rest.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  return std::pair(time, static_cast<unsigned>(std::stoul(rest.substr(1))));
}

}  // namespace

std::string RowLogText(const Finding& finding, platform::FileSystem& files) {
  const ReportRow& row = finding.row;
  std::string location = files.ExactSpelling(row.Location);
  std::string name = files.ExactSpelling(row.Caption);
  if (!finding.exact.Empty()) {
    location = finding.exact.folder;
    name = finding.exact.name;
  }
  if (finding.kind == RowKind::kStartupEntry && !finding.entry.taskPath.empty()) {
    name = finding.entry.taskPath;
  }
  return std::string(KindText(finding)) + "\t" + name + "\t" + location + "\t" +
         files.ExactSpelling(row.Description);
}

std::string OutcomeLogText(const RowOutcome& outcome, platform::FileSystem& files,
                           const platform::Locale& locale) {
  switch (outcome.kind) {
    case RowOutcome::Kind::kUnticked:
      return "left unticked";
    case RowOutcome::Kind::kIgnored:
      return "ignored";
    case RowOutcome::Kind::kTerminated:
      return "terminated";
    case RowOutcome::Kind::kQuarantined:
      return "quarantined as " + files.ExactSpelling(outcome.entry);
    case RowOutcome::Kind::kDeleted:
      return "deleted";
    case RowOutcome::Kind::kNotRemoved:
      return outcome.error != 0
                 ? "not removed: " + files.ExactSpelling(locale.ErrorText(outcome.error))
                 : "not removed";
    case RowOutcome::Kind::kGone:
      return "already gone";
    case RowOutcome::Kind::kProtected:
      break;
  }
  return "left, as Windows or Nexolant needs it";
}

std::string ScanLog::Utf8(const std::string& ansi) const {
  return services_.files.ExactSpelling(ansi);
}

void ScanLog::Begin(const ScanLogStart& start, const SignatureTables& tables) {
  active_ = true;
  path_ = {};
  started_ = services_.clock.Now();
  const platform::Locale& locale = services_.locale;
  const std::optional<platform::FindData> reference =
      services_.files.FindFirst(services_.programFolder + "Reference.dat");
  const std::size_t files = tables.ScanFileNames.size();
  const std::size_t processes =
      tables.ProcessNames.size() - std::min(files, tables.ProcessNames.size());
  text_ = std::string(kByteOrderMark) + "Nexolant " + services_.programVersion + " scan log\r\n";
  text_ += "Started: " + locale.FormatDateTime(started_) + "\r\n";
  text_ += "Reference file: " +
           (reference && reference->modified != 0 ? locale.FormatDateTime(reference->modified)
                                                  : std::string("date unknown")) +
           "; " + locale.FormatCount(static_cast<std::int64_t>(files)) + " adware, " +
           locale.FormatCount(static_cast<std::int64_t>(processes)) + " process, " +
           locale.FormatCount(static_cast<std::int64_t>(tables.RegistryNames.size())) +
           " registry and " +
           locale.FormatCount(static_cast<std::int64_t>(tables.FileHashes.size())) +
           " hash signatures\r\n";
  text_ += std::string("Scan: ") + ModeText(start.mode);
  if (!start.folder.empty()) {
    text_ += ", folder " + Utf8(start.folder);
  }
  text_ += std::string("\r\nOptions: registry ") + YesNo(start.registry) + ", deep registry " +
           YesNo(start.deepRegistry) + ", startup entries " + YesNo(start.startupEntries) +
           ", quarantine before removal " + YesNo(start.quarantine) + "\r\n";
}

void ScanLog::End(const std::vector<Finding>& findings, const ScanCounters& counters,
                  ScanLogEnding ending, const std::string& failure) {
  if (!active_) {
    return;
  }
  const platform::Locale& locale = services_.locale;
  text_ += "\r\nFound (kind, name, location, description):\r\n";
  for (const Finding& finding : findings) {
    text_ += RowLogText(finding, services_.files) + "\r\n";
  }
  if (findings.empty()) {
    text_ += "Nothing.\r\n";
  }
  const auto count = [&locale](std::int32_t value) { return locale.FormatCount(value); };
  text_ += "\r\nObject(s) scanned: " + count(counters.ObjectsScanned) +
           "\r\nObject(s) recognized: " + count(counters.ObjectsRecognized) +
           "\r\nProcesses identified: " + count(counters.ProcessesIdentified) +
           "\r\nFile(s) identified: " + count(counters.FilesIdentified) +
           "\r\nRegistry key(s) identified: " + count(counters.RegistryKeysIdentified) + "\r\n";
  const double seconds = std::max(0.0, (services_.clock.Now() - started_) * 86400.0);
  char taken[32];
  std::snprintf(taken, sizeof taken, "%.1f", seconds);
  std::string secondsText = taken;
  std::replace(secondsText.begin(), secondsText.end(), '.', locale.DecimalSeparator());
  text_ += "Time taken: " + secondsText + " s\r\n";
  switch (ending) {
    case ScanLogEnding::kFinished:
      text_ += "Ended: finished\r\n";
      break;
    case ScanLogEnding::kStopped:
      text_ += "Ended: stopped\r\n";
      break;
    case ScanLogEnding::kFailed:
      text_ += "Ended: failed: " + Utf8(failure) + "\r\n";
      break;
  }
  if (Write() && file_.Empty()) {
    Prune();
  }
}

void ScanLog::Repaired(const std::vector<Finding>& findings,
                       const std::vector<RowOutcome>& outcomes) {
  if (!active_ || path_.Empty()) {
    return;
  }
  text_ += "\r\nRepair at " + services_.locale.FormatDateTime(services_.clock.Now()) + ":\r\n";
  for (std::size_t k = 0; k < findings.size() && k < outcomes.size(); ++k) {
    text_ += RowLogText(findings[k], services_.files) + "\t" +
             OutcomeLogText(outcomes[k], services_.files, services_.locale) + "\r\n";
  }
  // Outcomes that cannot be added leave the scan's log as it was; the user was told.
  platform::BestEffort(Write());
}

// The first write makes the file under a name no file holds; later writes replace its text.
bool ScanLog::Write() {
  platform::FileSystem& files = services_.files;
  try {
    if (path_.Empty() && !file_.Empty()) {
      path_ = file_;
    } else if (path_.Empty()) {
      if (!files.FolderExists(Folder())) {
        files.CreateFolder(Folder());
      }
      path_ = FreshPath();
    }
    files.ReplaceWholeFile(path_, text_);
    return true;
  } catch (const std::exception&) {
    active_ = false;
    if (!warned_) {
      warned_ = true;
      services_.warnings.ShowWarning(
          file_.Empty() ? std::string(kCannotWrite)
                        : "Nexolant cannot write the scan log to " + file_.ansi + ".",
          "Warning");
    }
    return false;
  }
}

platform::Path ScanLog::FreshPath() const {
  const std::string time = NameOfTime(started_);
  for (unsigned number = 1;; ++number) {
    const platform::Path path =
        Folder() + ("\\" + time + (number == 1 ? "" : "-" + std::to_string(number)) + ".txt");
    if (!services_.files.FileAttributes(path)) {
      return path;
    }
  }
}

// Only names of the log's own form count; the oldest go first.
void ScanLog::Prune() {
  platform::FileSystem& files = services_.files;
  std::vector<std::pair<std::pair<std::string, unsigned>, std::string>> logs;
  const std::unique_ptr<platform::DirectorySearch> search = files.OpenSearch(Folder() + "\\*.txt");
  while (search) {
    const std::optional<platform::FindData> entry = search->Next();
    if (!entry) {
      break;
    }
    if ((entry->attributes & platform::kAttributeDirectory) == 0) {
      if (const auto parts = LogNameParts(entry->name)) {
        logs.emplace_back(*parts, entry->name);
      }
    }
  }
  if (logs.size() <= kKeptLogs) {
    return;
  }
  std::sort(logs.begin(), logs.end());
  for (std::size_t k = 0; k + kKeptLogs < logs.size(); ++k) {
    // A log that cannot be deleted now is tried again after the next scan.
    platform::BestEffort(files.RemoveFile(Folder() + ("\\" + logs[k].second)));
  }
}

}  // namespace nexolant
