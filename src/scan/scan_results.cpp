#include "scan/scan_results.h"

#include <utility>

#include "platform/wrapping_counter.h"

namespace nexolant {

using platform::WrappingIncrement;

void ScanResults::ResetScanCounters() {
  counters_ = {};
  foundAny_ = false;
  view_.ShowReset();
}

void ScanResults::CountScanned() {
  counters_.ObjectsScanned = WrappingIncrement(counters_.ObjectsScanned);
  view_.ShowScanned(counters_);
}

void ScanResults::AddRow(Finding finding) {
  const RowKind kind = CountedAs(finding);
  findings_.Add(std::move(finding));
  counters_.ObjectsRecognized = WrappingIncrement(counters_.ObjectsRecognized);
  switch (kind) {
    case RowKind::kProcess:
      counters_.ProcessesIdentified = WrappingIncrement(counters_.ProcessesIdentified);
      break;
    case RowKind::kFile:
      counters_.FilesIdentified = WrappingIncrement(counters_.FilesIdentified);
      break;
    case RowKind::kRegistryKey:
    case RowKind::kStartupEntry:
      counters_.RegistryKeysIdentified = WrappingIncrement(counters_.RegistryKeysIdentified);
      break;
  }
  counters_.NewObjects = WrappingIncrement(counters_.NewObjects);
  foundAny_ = true;
  view_.ShowFound(kind, counters_);
}

}  // namespace nexolant
