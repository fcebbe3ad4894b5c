#pragma once

#include <cstddef>
#include <string>
#include <utility>

#include "scan/finding.h"
#include "scan/findings.h"
#include "scan/scan_progress_view.h"

namespace nexolant {

// What a scan examined and found: the counters, the findings, and whether anything was found
// since the counters were last reset. Each change is told to the view as it happens.
class ScanResults {
 public:
  ScanResults(Findings& findings, ScanProgressView& view) : findings_(findings), view_(view) {}

  const ScanCounters& Counters() const { return counters_; }
  bool FoundAny() const { return foundAny_; }

  // Zeroes the counters as a scan begins.
  void ResetScanCounters();
  void ShowRunningProcesses(std::size_t count) { view_.ShowRunningProcesses(count); }
  void ClearReport() { findings_.Clear(); }
  // The object being examined.
  void ShowCurrent(const std::string& text) { view_.ShowCurrent(text); }
  // One more object examined.
  void CountScanned();
  // Records the finding, then advances the counters: recognised, the kind's own, new objects.
  void AddRow(Finding finding);
  void AddRow(RowKind kind, ReportRow row, ExactFilePath exact = {}) {
    AddRow(Finding{.kind = kind, .row = std::move(row), .exact = std::move(exact)});
  }

 private:
  Findings& findings_;
  ScanProgressView& view_;
  ScanCounters counters_;
  bool foundAny_ = false;
};

}  // namespace nexolant
