#include "console/console_scan.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <utility>

#include "app/program_version.h"
#include "ignore/ignored_objects.h"
#include "platform/message_pump.h"
#include "platform/signature_verifier.h"
#include "platform/string_list.h"
#include "platform/warning_sink.h"
#include "protection/name_sample.h"
#include "protection/protection_policy.h"
#include "quarantine/quarantine_store.h"
#include "reference/reference_loader.h"
#include "reference/signature_source.h"
#include "reference/signature_tables.h"
#include "repair/repair.h"
#include "scan/findings.h"
#include "scan/scan_log.h"
#include "scan/scan_phases.h"
#include "scan/scan_progress_view.h"
#include "settings/statistics_store.h"
#include "settings/usage_statistics.h"

namespace nexolant {
namespace {

// The output may be closed or full: the scan goes on, and its exit code still tells.
void WriteLine(platform::ConsoleStream& stream, const std::string& text) {
  platform::BestEffort(stream.Write(text + "\r\n"));
}

void Problem(const ConsoleServices& services, const std::string& text) {
  WriteLine(services.err, "nexscan: " + text);
}

bool Removed(const RowOutcome& outcome) {
  switch (outcome.kind) {
    case RowOutcome::Kind::kTerminated:
    case RowOutcome::Kind::kQuarantined:
    case RowOutcome::Kind::kDeleted:
    case RowOutcome::Kind::kGone:
      return true;
    case RowOutcome::Kind::kUnticked:
    case RowOutcome::Kind::kIgnored:
    case RowOutcome::Kind::kNotRemoved:
    case RowOutcome::Kind::kProtected:
      break;
  }
  return false;
}

// The console shows no progress: each finding is a line of its own.
class NoProgress final : public ScanProgressView {
 public:
  void ShowReset() override {}
  void ShowRunningProcesses(std::size_t /*count*/) override {}
  void ShowCurrent(const std::string& /*text*/) override {}
  void ShowScanned(const ScanCounters& /*counters*/) override {}
  void ShowFound(RowKind /*kind*/, const ScanCounters& /*counters*/) override {}
  void ShowEnding(ScanEnding /*ending*/, bool /*enabled*/) override {}
  void ShowComplete(bool /*complete*/) override {}
};

// One run of the scanner: the program folder's reference file, ignore list, quarantine and
// statistics, the phases the window runs, and a repair when asked. Its pump stops the scan at
// Ctrl+C; its warnings are printed.
class ConsoleScan final : private platform::MessagePump,
                          private platform::WarningSink,
                          private SignatureSource {
 public:
  ConsoleScan(const ConsoleServices& services, ConsoleRequest request)
      : services_(services),
        request_(std::move(request)),
        ini_{
            .files = services_.files, .locale = services_.locale, .pump = *this, .warnings = *this},
        protection_({.files = services_.files,
                     .registry = services_.registry,
                     .locale = services_.locale,
                     .ownProcessId = services_.processes.CurrentProcessId(),
                     .processes = services_.processes,
                     .evidence = services_.evidence}),
        ignored_({.files = services_.files,
                  .verifier = platform::SystemSignatureVerifier(),
                  .clock = services_.clock,
                  .pump = *this,
                  .lock = services_.folderLock},
                 services_.programFolder + kIgnoreListFileName),
        statisticsStore_(ini_, statistics_, services_.folderLock),
        quarantine_({.ini = ini_,
                     .registry = services_.registry,
                     .tasks = services_.tasks,
                     .programFolder = services_.programFolder,
                     .statistics = statistics_,
                     .signatures = *this,
                     .protection = protection_,
                     .lock = services_.folderLock}),
        phases_({.files = services_.files,
                 .registry = services_.registry,
                 .processes = services_.processes,
                 .locale = services_.locale,
                 .shortcuts = services_.shortcuts,
                 .tasks = services_.tasks,
                 .pump = *this,
                 .programFolder = services_.programFolder},
                {.signatures = *this,
                 .protection = protection_,
                 .ignored = ignored_,
                 .findings = findings_,
                 .view = progress_}),
        log_({.files = services_.files,
              .clock = services_.clock,
              .locale = services_.locale,
              .warnings = *this,
              .programFolder = services_.programFolder,
              .programVersion = kProgramVersion}) {
    phases_.CreateDriveQueue();
    findings_.OnAdded = [this](const Finding& finding) {
      WriteLine(services_.out, "Found: " + RowLogText(finding, services_.files));
    };
  }

  ExitCode Run();

 private:
  const SignatureTables& Tables() const override { return tables_; }
  void ProcessMessages() override;
  void ShowWarning(const std::string& text, const std::string& caption) override;

  bool LoadSignatures();
  // The full path of a folder or file given on the command line; none when it has none.
  std::optional<platform::Path> FullPathOf(const std::string& given);
  // The folder the file phase walks; none (and the problem told) when there is none to walk.
  std::optional<std::string> WalkedFolder();
  ExitCode RepairFindings();
  void SaveStatistics();

  ConsoleServices services_;
  ConsoleRequest request_;
  IniServices ini_;
  SignatureTables tables_;
  protection::ProtectionPolicy protection_;
  IgnoredObjects ignored_;
  UsageStatistics statistics_;
  StatisticsStore statisticsStore_;
  QuarantineStore quarantine_;
  Findings findings_;
  NoProgress progress_;
  ScanPhases phases_;
  ScanLog log_;
  bool scanning_ = false;
  bool interrupted_ = false;
};

void ConsoleScan::ProcessMessages() {
  if (!interrupted_ && services_.interrupted.load()) {
    interrupted_ = true;
    if (scanning_) {
      phases_.Stop();
    }
  }
}

void ConsoleScan::ShowWarning(const std::string& text, const std::string& /*caption*/) {
  Problem(services_, "warning: " + services_.files.ExactSpelling(text));
}

bool ConsoleScan::LoadSignatures() {
  StringList details;
  const ReferenceOutcome outcome =
      LoadReference({.files = services_.files,
                     .clock = services_.clock,
                     .locale = services_.locale,
                     .pump = *this,
                     .warnings = *this},
                    services_.programFolder, tables_, details, protection::TooBroadSample());
  const std::string file =
      services_.files.ExactSpelling(services_.programFolder.ansi) + "Reference.dat";
  switch (outcome) {
    case ReferenceOutcome::kLoaded:
      return true;
    case ReferenceOutcome::kFileNotFound:
      Problem(services_, "there is no reference file " + file);
      break;
    case ReferenceOutcome::kFormatIncorrect:
      Problem(services_, "the reference file " + file + " cannot be read");
      break;
  }
  return false;
}

std::optional<platform::Path> ConsoleScan::FullPathOf(const std::string& given) {
  platform::Path full = services_.files.FullPath(services_.files.FromExact(given));
  if (full.Empty()) {
    return std::nullopt;
  }
  return full;
}

// The walker starts from an ANSI path, as the window's folder dialog gives one.
std::optional<std::string> ConsoleScan::WalkedFolder() {
  if (request_.mode == ScanMode::kQuick) {
    return services_.files.WindowsFolder().ansi;
  }
  if (request_.mode == ScanMode::kComplete) {
    return std::string();
  }
  std::optional<platform::Path> folder = FullPathOf(request_.folder);
  if (!folder || !services_.files.FolderExists(*folder)) {
    Problem(services_, "there is no folder " + request_.folder);
    return std::nullopt;
  }
  if (folder->HasExact()) {
    Problem(services_, "the folder's name holds characters outside the system's code page: " +
                           request_.folder);
    return std::nullopt;
  }
  std::string walked = folder->ansi;
  if (walked.size() > 3 && walked.ends_with('\\')) {
    walked.pop_back();
  }
  return walked;
}

ExitCode ConsoleScan::Run() {
  if (!LoadSignatures()) {
    return ExitCode::kError;
  }
  const std::optional<std::string> folder = WalkedFolder();
  if (!folder) {
    return ExitCode::kError;
  }
  if (request_.logFile.empty()) {
    log_.Skip();
  } else if (std::optional<platform::Path> file = FullPathOf(request_.logFile)) {
    log_.WriteTo(std::move(*file));
  } else {
    Problem(services_, "there is no file " + request_.logFile);
    return ExitCode::kError;
  }
  ignored_.Load();
  if (!request_.logFile.empty()) {
    log_.Begin({.mode = request_.mode,
                .folder = *folder,
                .registry = request_.registry,
                .deepRegistry = request_.deepRegistry,
                .startupEntries = request_.startupEntries,
                .quarantine = request_.repair && request_.quarantine},
               tables_);
  }
  ProcessMessages();
  if (interrupted_) {
    return ExitCode::kStopped;
  }
  statistics_.ScanStarted(services_.clock.Now());
  bool stopped = false;
  try {
    scanning_ = true;
    stopped = phases_.Run({.mode = request_.mode,
                           .folder = *folder,
                           .registry = request_.registry,
                           .deepRegistry = request_.deepRegistry,
                           .startupEntries = request_.startupEntries});
    scanning_ = false;
  } catch (const std::exception& error) {
    scanning_ = false;
    log_.End(findings_.Items(), phases_.Results().Counters(), ScanLogEnding::kFailed, error.what());
    SaveStatistics();
    throw;
  }
  log_.End(findings_.Items(), phases_.Results().Counters(),
           stopped ? ScanLogEnding::kStopped : ScanLogEnding::kFinished);
  const platform::Locale& locale = services_.locale;
  const std::size_t found = findings_.Items().size();
  WriteLine(services_.out, std::string(stopped ? "Stopped by Ctrl+C after " : "Scanned ") +
                               locale.FormatCount(phases_.Results().Counters().ObjectsScanned) +
                               " object(s); found " +
                               locale.FormatCount(static_cast<std::int64_t>(found)) + ".");
  ExitCode code = ExitCode::kStopped;
  try {
    if (!stopped) {
      code = request_.repair && found > 0 ? RepairFindings() : ExitCodeOf(found, false, {});
    }
  } catch (const std::exception&) {
    SaveStatistics();
    throw;
  }
  SaveStatistics();
  return code;
}

ExitCode ConsoleScan::RepairFindings() {
  Repair repair({.files = services_.files,
                 .registry = services_.registry,
                 .processes = services_.processes,
                 .tasks = services_.tasks,
                 .serviceControl = services_.serviceControl,
                 .clock = services_.clock,
                 .locale = services_.locale,
                 .protection = protection_,
                 .ignored = ignored_,
                 .pump = *this,
                 .folderLock = services_.folderLock},
                statistics_, quarantine_);
  const std::vector<Finding>& findings = findings_.Items();
  const RepairOutcome outcome = repair.Run(findings, request_.quarantine);
  for (std::size_t k = 0; k < findings.size() && k < outcome.rows.size(); ++k) {
    WriteLine(services_.out,
              "Repair: " + RowLogText(findings[k], services_.files) + "\t" +
                  OutcomeLogText(outcome.rows[k], services_.files, services_.locale));
  }
  log_.Repaired(findings, outcome.rows);
  const auto removed = std::count_if(outcome.rows.begin(), outcome.rows.end(), Removed);
  const platform::Locale& locale = services_.locale;
  WriteLine(services_.out, "Removed " + locale.FormatCount(removed) + " of " +
                               locale.FormatCount(static_cast<std::int64_t>(findings.size())) +
                               ".");
  // A Ctrl+C during the repair lets it finish: a repair stopped halfway would leave objects
  // neither in place nor in the quarantine.
  return interrupted_ ? ExitCode::kStopped : ExitCodeOf(findings.size(), true, outcome.rows);
}

// The figures are the window's too; a file that cannot be written loses this run's share.
void ConsoleScan::SaveStatistics() {
  try {
    statisticsStore_.Save(services_.programFolder + kSettingsFileName);
  } catch (const std::exception& error) {
    ShowWarning(std::string("the usage statistics were not saved: ") + error.what(), "Warning");
  }
}

}  // namespace

ExitCode ExitCodeOf(std::size_t found, bool repaired, const std::vector<RowOutcome>& outcomes) {
  if (found == 0) {
    return ExitCode::kNothingFound;
  }
  if (!repaired || outcomes.size() < found ||
      !std::all_of(outcomes.begin(), outcomes.end(), Removed)) {
    return ExitCode::kSomethingLeft;
  }
  return ExitCode::kAllRemoved;
}

ExitCode RunConsoleScanner(const std::vector<std::string>& arguments,
                           const ConsoleServices& services) {
  const ArgumentsRead read = ReadArguments(arguments);
  if (!read.request) {
    Problem(services, read.problem);
    WriteLine(services.err, kConsoleUsage);
    return ExitCode::kError;
  }
  if (read.request->help) {
    WriteLine(services.out, ConsoleHelpText());
    return ExitCode::kNothingFound;
  }
  try {
    ConsoleScan scan(services, *read.request);
    return scan.Run();
  } catch (const std::exception& error) {
    Problem(services, services.files.ExactSpelling(error.what()));
  } catch (...) {
    Problem(services, "unexpected failure");
  }
  return ExitCode::kError;
}

}  // namespace nexolant
