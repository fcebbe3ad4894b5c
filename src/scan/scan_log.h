#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/warning_sink.h"
#include "reference/signature_tables.h"
#include "scan/finding.h"
#include "scan/row_outcome.h"
#include "scan/scan_now_page.h"
#include "scan/scan_progress_view.h"

namespace nexolant {

inline constexpr const char* kLogsFolderName = "Logs";

struct ScanLogServices {
  platform::FileSystem& files;
  platform::Clock& clock;
  const platform::Locale& locale;
  platform::WarningSink& warnings;
  platform::Path programFolder;  // with a trailing backslash
  std::string programVersion;
};

// What a scan was asked to do, as it began.
struct ScanLogStart {
  ScanMode mode = ScanMode::kQuick;
  std::string folder{};  // the folder walked; empty for a complete scan
  bool registry = false;
  bool deepRegistry = false;
  bool startupEntries = false;
  bool quarantine = false;
};

enum class ScanLogEnding { kFinished, kStopped, kFailed };

// A row as the logs and the console scanner write it: kind, name, location and description,
// tab-separated, in UTF-8 (a task by its path).
std::string RowLogText(const Finding& finding, platform::FileSystem& files);
// What a repair did with a row, in words, in UTF-8.
std::string OutcomeLogText(const RowOutcome& outcome, platform::FileSystem& files,
                           const platform::Locale& locale);

// The log of each scan: a text file in the Logs folder beside the program, named by the scan's
// start time ("2026-12-11 05-30-00.txt", "-2" and on where a name is taken, never written
// over), in UTF-8 with a byte-order mark. It holds the program's version, the reference file's
// date and counts, what the scan was asked to do, every row, the counters, the time taken and
// how the scan ended; a repair adds each row's outcome. The text is made when the scan ends,
// from what it found, so a scan pays nothing per object for it. Only the newest 100 logs stay;
// nothing else in the folder is touched. A log that cannot be written never stops a scan: the
// user is told once per session.
class ScanLog {
 public:
  static constexpr std::size_t kKeptLogs = 100;

  explicit ScanLog(ScanLogServices services) : services_(std::move(services)) {}

  platform::Path Folder() const { return services_.programFolder + kLogsFolderName; }

  // A scan begins; nothing is written yet.
  void Begin(const ScanLogStart& start, const SignatureTables& tables);
  // The scan ended: the log is written with the rows found. `failure` is the error's text.
  void End(const std::vector<Finding>& findings, const ScanCounters& counters, ScanLogEnding ending,
           const std::string& failure = {});
  // A repair of the last scan's rows, each with its outcome, index for index.
  void Repaired(const std::vector<Finding>& findings, const std::vector<RowOutcome>& outcomes);
  // No log is written for the scan under way (the option is off).
  void Skip() { active_ = false; }
  // The logs go into that file, written over, rather than into the Logs folder; set before
  // Begin.
  void WriteTo(platform::Path file) { file_ = std::move(file); }

 private:
  // Writes the text, in a file of its own at the first write; false when it cannot.
  bool Write();
  platform::Path FreshPath() const;
  void Prune();
  std::string Utf8(const std::string& ansi) const;

  ScanLogServices services_;
  bool active_ = false;
  bool warned_ = false;
  platform::DateTime started_ = 0;
  std::string text_;
  platform::Path path_;  // empty until the log is written
  platform::Path file_;  // the file of every log, when one is set
};

}  // namespace nexolant
