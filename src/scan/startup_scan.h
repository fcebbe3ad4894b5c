#pragma once

#include <string>

#include "ignore/ignored_objects.h"
#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/message_pump.h"
#include "platform/registry.h"
#include "platform/startup_services.h"
#include "protection/protection_policy.h"
#include "reference/signature_source.h"
#include "scan/findings.h"
#include "scan/scan_results.h"
#include "scan/scan_state.h"
#include "startup/startup_reader.h"

namespace nexolant {

// What the startup phase reads the places through.
struct StartupScanServices {
  platform::Registry& registry;
  platform::FileSystem& files;
  platform::Shortcuts& shortcuts;
  platform::ScheduledTasks& tasks;
  const platform::Locale& locale;
  platform::MessagePump& pump;
};

// The startup phase: every entry that starts a program is counted, shown and judged by the
// program it starts, whose name is looked up among the known processes, then by its own name
// among the known registry names. An entry that names no program, names one of Windows', lies
// where the policy protects, or is kept by the user is never reported; the key that holds an
// entry (Run, Services, Browser Helper Objects) is no part of the judgement. A task gives one
// row however many of its programs are known; a file of a Startup folder that the file phase,
// or a key that the registry phase, reported already is not reported again. A Stop (StopRequested)
// ends the phase at its next entry.
class StartupScan {
 public:
  StartupScan(StartupScanServices services, ScanResults& results, const Findings& findings,
              const SignatureSource& signatures, const protection::ProtectionPolicy& protection,
              const IgnoredObjects& ignored, ScanFlags& flags);

  void ScanStartupEntries();

 private:
  bool Examine(const FoundEntry& found);
  // The row's description, or none when the entry is not to be reported.
  std::optional<std::string> Judge(const FoundEntry& found);
  // Whether an earlier phase reported the same object already.
  bool ReportedAsFile(const FoundEntry& found) const;
  bool ReportedAsKey(const StartupEntry& entry) const;
  static std::string Shown(const FoundEntry& found);

  StartupScanServices services_;
  ScanResults& results_;
  const Findings& findings_;
  const SignatureSource& signatures_;
  const protection::ProtectionPolicy& protection_;
  const IgnoredObjects& ignored_;
  ScanFlags& flags_;
  std::string lastTask_;  // the task of the last row, which a task's next program joins
};

}  // namespace nexolant
