#pragma once

namespace nexolant {

// The three ways to choose what the file phase walks.
enum class ScanMode { kQuick, kComplete, kChosenFolder };

// What the Scanning page's button offers: Stop while a scan runs; Report when something was
// found, Finish when nothing was, once the scan is over or was stopped before the registry.
enum class ScanEnding { kStop, kReport, kFinish };

// The state flags of a running scan; the walker's own stop flag is kept by the walker.
struct ScanFlags {
  // From the moment complete mode fills the drive queue until the end of the file phase.
  bool DriveQueueActive = false;
  // Set by Stop; the registry walk tests it. Cleared when the scan ends.
  bool StopRequested = false;
  // While the registry phase runs.
  bool RegistryScanRunning = false;
  // While the startup phase runs; like the registry phase, it ends at its next test of
  // StopRequested.
  bool StartupScanRunning = false;
};

}  // namespace nexolant
