#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "ignore/ignored_objects.h"
#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/message_pump.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/startup_services.h"
#include "platform/string_list.h"
#include "protection/protection_policy.h"
#include "reference/signature_source.h"
#include "scan/content_match.h"
#include "scan/file_scan.h"
#include "scan/findings.h"
#include "scan/registry_scan.h"
#include "scan/scan_progress_view.h"
#include "scan/scan_results.h"
#include "scan/scan_state.h"
#include "scan/startup_scan.h"
#include "scan/t_recurse_dir.h"
#include "scan/walked_places.h"

namespace nexolant {

// The system services the phases read through.
struct ScanPhaseServices {
  platform::FileSystem& files;
  platform::Registry& registry;
  platform::ProcessApi& processes;
  const platform::Locale& locale;
  platform::Shortcuts& shortcuts;
  platform::ScheduledTasks& tasks;
  // Pumped at the phases' pump points; a Stop arrives through it.
  platform::MessagePump& pump;
  platform::Path programFolder;  // with a trailing backslash
};

// What the phases judge by and where they tell what they find.
struct ScanPhasePeers {
  const SignatureSource& signatures;
  // What no scan reports: Windows' own processes, files and keys, and the program's own.
  const protection::ProtectionPolicy& protection;
  // What the user keeps is counted as scanned and never reported.
  const IgnoredObjects& ignored;
  Findings& findings;
  ScanProgressView& view;
};

// What one scan covers: the folder the file phase walks (in complete mode, every fixed drive
// instead), and the phases after it.
struct ScanPlan {
  ScanMode mode = ScanMode::kQuick;
  std::string folder{};  // none walks nothing
  bool registry = true;
  bool deepRegistry = true;
  bool startupEntries = true;
};

// The phases of one scan, as the window and the console scanner run them: the running
// processes, the files, the registry, the startup entries. They run synchronously on the
// caller's thread; a Stop comes nested in their pumps and ends them at their next test.
class ScanPhases {
 public:
  ScanPhases(ScanPhaseServices services, ScanPhasePeers peers);
  ScanPhases(const ScanPhases&) = delete;
  ScanPhases& operator=(const ScanPhases&) = delete;

  // The drive queue exists from the start-up's creation of the lists to their release.
  void CreateDriveQueue() { driveQueue_ = std::make_unique<StringList>(); }
  void FreeDriveQueue() { driveQueue_.reset(); }

  // Runs the phases; true when a Stop ended them. A failure ends them as a Stop does, and is
  // thrown on.
  bool Run(const ScanPlan& plan);
  // Ends the running phase at its next test, and the phases after it. True when the scan was
  // still before the registry and the startup entries.
  bool Stop();

  // Told as each phase but the last ends.
  std::function<void()> OnPhaseEnd;

  const ScanFlags& Flags() const { return flags_; }
  const TRecurseDir& RecurseDir() const { return recurseDir_; }
  ScanResults& Results() { return results_; }

 private:
  bool IsFixedDrive(char letter) const;
  void MemoryPhase();
  const std::string* KnownImage(std::uint32_t processId, std::optional<std::string>& image);
  ContentMatchServices ContentServices() const;
  void DriveWalk();
  void Walk(std::string folder);
  // After each walk: the next drive, or the phases after the files.
  void RecurseDirEnd();
  // The flags as no scan runs.
  void Reset();
  bool IsQuarantineFolder(std::string_view folder) const;
  bool SkipFolder(const platform::Path& folder, const platform::FindData* entry);

  ScanPhaseServices services_;
  ScanPhasePeers peers_;
  std::string quarantineFolder_;
  ScanResults results_;
  ScanFlags flags_;
  ScanPlan plan_;
  bool stopped_ = false;
  std::unique_ptr<StringList> driveQueue_;
  TRecurseDir recurseDir_;
  WalkedPlaces walkedPlaces_;
  FileScan fileScan_;
  RegistryScan registryScan_;
  StartupScan startupScan_;
};

}  // namespace nexolant
