#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/locale.h"
#include "scan/scanning_page.h"
#include "ui/list_view.h"

namespace nexolant {

// One row of the Report list: the object's name, where it was found ("Memory", a folder path
// without its final backslash, or a hive name with the path of the key that holds the
// subkey) and the description of the signature it matched. The list keeps the rows in the
// order the scan added them.
struct ReportRow {
  std::string Caption;
  std::string Location;
  std::string Description;
};

inline constexpr const char* kMemoryLocation = "Memory";

// The kinds of row, each with a counter of its own.
enum class RowKind { kProcess, kFile, kRegistryKey };

// The scan counters, 32-bit and signed.
struct ScanCounters {
  std::int32_t ObjectsScanned = 0;
  std::int32_t ObjectsRecognized = 0;
  std::int32_t NewObjects = 0;
  std::int32_t ProcessesIdentified = 0;
  std::int32_t FilesIdentified = 0;
  std::int32_t RegistryKeysIdentified = 0;
};

// What a scan found: the rows of the Report list and the counters of the Scanning page, each
// shown as soon as it changes, in the locale's number format. The red font of the "New
// object(s)" count is the scan's record that a row was added.
class ScanResults {
 public:
  ScanResults(ScanningPage& page, ui::ListView& report, const platform::Locale& locale);

  const ScanCounters& Counters() const { return counters_; }
  ui::ListView& Report() const { return report_; }

  // Zeroes the counters and puts the Scanning page back as a scan begins.
  void ResetScanCounters();
  void ShowRunningProcesses(std::size_t count);
  void ClearReport() { report_.Clear(); }
  // The object being examined.
  void ShowCurrent(std::string text) { page_.lblCurrentFile().SetCaption(std::move(text)); }
  // One more object examined.
  void CountScanned();
  // Adds the row, then advances the counters in their order and turns the new-objects count red.
  void AddRow(RowKind kind, ReportRow row);
  // Whether a row was added since the last reset.
  bool FoundAny() const;

 private:
  void Show(ui::Label& label, std::int32_t value);

  ScanningPage& page_;
  ui::ListView& report_;
  const platform::Locale& locale_;
  ScanCounters counters_;
};

}  // namespace nexolant
