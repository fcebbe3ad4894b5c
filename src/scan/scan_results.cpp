#include "scan/scan_results.h"

#include <utility>

namespace nexolant {
namespace {

// The counters wrap around at the 32-bit limit instead of overflowing.
void Advance(std::int32_t& counter) {
  counter = static_cast<std::int32_t>(static_cast<std::uint32_t>(counter) + 1u);
}

}  // namespace

ScanResults::ScanResults(ScanningPage& page, ui::ListView& report, const platform::Locale& locale)
    : page_(page), report_(report), locale_(locale) {}

void ScanResults::ResetScanCounters() {
  page_.lblRP().SetCaption("0");
  counters_.ObjectsScanned = 0;
  page_.lblOS().SetCaption("0");
  counters_.FilesIdentified = 0;
  page_.lblFI().SetCaption("0");
  counters_.RegistryKeysIdentified = 0;
  page_.lblRI().SetCaption("0");
  counters_.NewObjects = 0;
  page_.lblNO().SetCaption("0");
  counters_.ProcessesIdentified = 0;
  page_.lblPI().SetCaption("0");
  counters_.ObjectsRecognized = 0;
  page_.lblOR().SetCaption("0");
  page_.lblNO().SetFontColor(ui::colors::kNavy);
  page_.Label25().SetFontColor(ui::colors::kNavy);
  page_.imgOK().SetVisible(false);
  page_.lblCurrentFile().SetCaption("Scanning processes in memory...");
}

void ScanResults::ShowRunningProcesses(std::size_t count) {
  page_.lblRP().SetCaption(locale_.FormatCount(static_cast<std::int64_t>(count)));
}

void ScanResults::CountScanned() {
  Advance(counters_.ObjectsScanned);
  Show(page_.lblOS(), counters_.ObjectsScanned);
}

void ScanResults::AddRow(RowKind kind, ReportRow row) {
  report_.Add(std::move(row.Caption), {std::move(row.Location), std::move(row.Description)});
  Advance(counters_.ObjectsRecognized);
  Show(page_.lblOR(), counters_.ObjectsRecognized);
  switch (kind) {
    case RowKind::kProcess:
      Advance(counters_.ProcessesIdentified);
      Show(page_.lblPI(), counters_.ProcessesIdentified);
      break;
    case RowKind::kFile:
      Advance(counters_.FilesIdentified);
      Show(page_.lblFI(), counters_.FilesIdentified);
      break;
    case RowKind::kRegistryKey:
      Advance(counters_.RegistryKeysIdentified);
      Show(page_.lblRI(), counters_.RegistryKeysIdentified);
      break;
  }
  Advance(counters_.NewObjects);
  page_.lblNO().SetFontColor(ui::colors::kRed);
  page_.Label25().SetFontColor(ui::colors::kRed);
  Show(page_.lblNO(), counters_.NewObjects);
}

bool ScanResults::FoundAny() const {
  return page_.lblNO().Font().color == ui::colors::kRed;
}

void ScanResults::Show(ui::Label& label, std::int32_t value) {
  label.SetCaption(locale_.FormatCount(value));
}

}  // namespace nexolant
