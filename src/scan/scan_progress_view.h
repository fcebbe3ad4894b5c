#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "scan/finding.h"
#include "scan/scan_state.h"

namespace nexolant {

// The scan counters, 32-bit and signed.
struct ScanCounters {
  std::int32_t ObjectsScanned = 0;
  std::int32_t ObjectsRecognized = 0;
  std::int32_t NewObjects = 0;
  std::int32_t ProcessesIdentified = 0;
  std::int32_t FilesIdentified = 0;
  std::int32_t RegistryKeysIdentified = 0;
};

// What the Scanning page shows of a scan, told as it happens.
class ScanProgressView {
 public:
  virtual ~ScanProgressView() = default;

  // Every counter zero, nothing found, the memory phase about to begin.
  virtual void ShowReset() = 0;
  virtual void ShowRunningProcesses(std::size_t count) = 0;
  // The object being examined.
  virtual void ShowCurrent(const std::string& text) = 0;
  virtual void ShowScanned(const ScanCounters& counters) = 0;
  // An object of that kind was found and counted.
  virtual void ShowFound(RowKind kind, const ScanCounters& counters) = 0;
  // The button's offer and whether it can be pressed.
  virtual void ShowEnding(ScanEnding ending, bool enabled) = 0;
  // Whether the scan is over, as the end step leaves it until the next scan or Finish.
  virtual void ShowComplete(bool complete) = 0;
};

}  // namespace nexolant
