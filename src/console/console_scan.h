#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "console/console_arguments.h"
#include "platform/clock.h"
#include "platform/console_stream.h"
#include "platform/file_system.h"
#include "platform/folder_lock.h"
#include "platform/locale.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/signature_evidence.h"
#include "platform/startup_services.h"
#include "scan/row_outcome.h"

namespace nexolant {

// The console scanner's exit codes.
enum class ExitCode {
  kNothingFound = 0,
  kAllRemoved = 1,
  kSomethingLeft = 2,  // also whatever was found without --repair
  kError = 3,
  kStopped = 4,  // by Ctrl+C
};

// The exit code of a finished scan, from whether a repair ran and what it did with each row.
ExitCode ExitCodeOf(std::size_t found, bool repaired, const std::vector<RowOutcome>& outcomes);

// What the console scanner runs on, handed in by its entry (the Win32 implementations) or by a
// test (fakes). All must outlive the run.
struct ConsoleServices {
  platform::FileSystem& files;
  platform::Registry& registry;
  platform::ProcessApi& processes;
  platform::Clock& clock;
  const platform::Locale& locale;
  const platform::SignatureEvidence& evidence;
  platform::Shortcuts& shortcuts;
  platform::ScheduledTasks& tasks;
  platform::ServiceControl& serviceControl;
  // Shared with the window over the program folder's files.
  platform::FolderLock& folderLock;
  platform::ConsoleStream& out;  // findings, outcomes, the summary, --help
  platform::ConsoleStream& err;  // problems and warnings
  // Set by Ctrl+C; the scan's pump reads it and stops the scan as the window's Stop does.
  const std::atomic<bool>& interrupted;
  platform::Path programFolder;  // the executable's folder, with a trailing backslash
};

// nexscan: reads the arguments (after the program's name), runs the scan they ask for over the
// program folder's reference file, ignore list and quarantine, with a repair when asked, and
// answers the exit code.
ExitCode RunConsoleScanner(const std::vector<std::string>& arguments,
                           const ConsoleServices& services);

}  // namespace nexolant
