#include "scan/scanning_page.h"

#include <array>

#include "platform/raise.h"
#include "ui/artwork_names.h"
#include "ui/control_table.h"

namespace nexolant {
namespace {

using ui::ControlKind;
constexpr ui::Alignment kRight = ui::Alignment::kRight;

const ui::Font kBoldNavy{.bold = true, .color = ui::colors::kNavy};

}  // namespace

ScanningPage::ScanningPage(ui::NotebookPage& page, const platform::Locale& locale)
    : locale_(locale) {
  const auto rows = std::to_array<ControlRow>({
      {.name = "Label3",
       .kind = ControlKind::kLabel,
       .bounds = {16, 8, 0, 0},
       .caption = "Now scanning...",
       .font = &fonts::kWindowBold},
      {.name = "shpCurrentFile",
       .kind = ControlKind::kShape,
       .bounds = {16, 24, 473, 25},
       .color = panel_colors::kPanel},
      {.name = "lblCurrentFile",
       .kind = ControlKind::kLabel,
       .bounds = {24, 29, 457, 19},
       .caption = "Scanning processes in memory...",
       .slot = lblCurrentFile_},
      {.name = "Label5",
       .kind = ControlKind::kLabel,
       .bounds = {16, 56, 0, 0},
       .caption = "Summary",
       .font = &fonts::kWindowBold},
      {.name = "shpSummary",
       .kind = ControlKind::kShape,
       .bounds = {16, 72, 473, 137},
       .color = panel_colors::kPanel},
      {.name = "shpFoundBox",
       .kind = ControlKind::kShape,
       .bounds = {24, 80, 201, 81},
       .color = panel_colors::kSummaryBox},
      {.name = "shpNewBox",
       .kind = ControlKind::kShape,
       .bounds = {24, 168, 201, 33},
       .color = panel_colors::kSummaryBox},
      {.name = "shpScannedBox",
       .kind = ControlKind::kShape,
       .bounds = {232, 80, 249, 121},
       .color = panel_colors::kSummaryBox},
      {.name = "shpFoundRule",
       .kind = ControlKind::kShape,
       .bounds = {32, 112, 185, 1},
       .color = ui::colors::kBlack},
      {.name = "shpScannedRule",
       .kind = ControlKind::kShape,
       .bounds = {240, 112, 233, 1},
       .color = ui::colors::kBlack},
      {.name = "lblRP",
       .kind = ControlKind::kLabel,
       .bounds = {32, 90, 49, 13},
       .caption = "0",
       .font = &fonts::kWindowBold,
       .alignment = kRight,
       .slot = lblRP_},
      {.name = "Label12",
       .kind = ControlKind::kLabel,
       .bounds = {88, 90, 0, 0},
       .caption = "Running processes",
       .font = &fonts::kWindowBold},
      {.name = "lblOR",
       .kind = ControlKind::kLabel,
       .bounds = {32, 131, 49, 13},
       .caption = "0",
       .font = &fonts::kWindowBold,
       .alignment = kRight,
       .slot = lblOR_},
      {.name = "Label13",
       .kind = ControlKind::kLabel,
       .bounds = {88, 131, 0, 0},
       .caption = "Object(s) recognized"},
      {.name = "lblNO",
       .kind = ControlKind::kLabel,
       .bounds = {32, 178, 49, 13},
       .caption = "0",
       .font = &kBoldNavy,
       .alignment = kRight,
       .slot = lblNO_},
      {.name = "Label25",
       .kind = ControlKind::kLabel,
       .bounds = {88, 178, 0, 0},
       .caption = "New object(s)",
       .font = &kBoldNavy,
       .slot = Label25_},
      {.name = "imgOK",
       .kind = ControlKind::kImage,
       .bounds = {192, 176, 17, 17},
       .picture = artwork::kScanDone,
       .visible = false,
       .slot = imgOK_},
      {.name = "lblOS",
       .kind = ControlKind::kLabel,
       .bounds = {240, 90, 65, 13},
       .caption = "0",
       .font = &fonts::kWindowBold,
       .alignment = kRight,
       .slot = lblOS_},
      {.name = "Label26",
       .kind = ControlKind::kLabel,
       .bounds = {312, 90, 0, 0},
       .caption = "Object(s) scanned",
       .font = &fonts::kWindowBold},
      {.name = "lblFI",
       .kind = ControlKind::kLabel,
       .bounds = {240, 127, 65, 13},
       .caption = "0",
       .font = &fonts::kWindowBold,
       .alignment = kRight,
       .slot = lblFI_},
      {.name = "Label32",
       .kind = ControlKind::kLabel,
       .bounds = {312, 127, 0, 0},
       .caption = "File(s) identified"},
      {.name = "lblPI",
       .kind = ControlKind::kLabel,
       .bounds = {240, 151, 65, 13},
       .caption = "0",
       .font = &fonts::kWindowBold,
       .alignment = kRight,
       .slot = lblPI_},
      {.name = "Label34",
       .kind = ControlKind::kLabel,
       .bounds = {312, 151, 0, 0},
       .caption = "Processes identified"},
      {.name = "lblRI",
       .kind = ControlKind::kLabel,
       .bounds = {240, 175, 65, 13},
       .caption = "0",
       .font = &fonts::kWindowBold,
       .alignment = kRight,
       .slot = lblRI_},
      {.name = "Label36",
       .kind = ControlKind::kLabel,
       .bounds = {312, 175, 0, 0},
       .caption = "Registry key(s) identified"},
      {.name = "btnStop",
       .kind = ControlKind::kButton,
       .bounds = {400, 213, 89, 23},
       .caption = "Stop",
       .picture = artwork::kGlyphStop,
       .slot = btnStop_},
  });
  BuildControls(page, rows);
  btnStop_->OnClick = [this](ui::Control&) { Raise(OnStopClick); };
}

void ScanningPage::ShowReset() {
  for (ui::Label* label : {lblRP_, lblOS_, lblFI_, lblRI_, lblNO_, lblPI_, lblOR_}) {
    label->SetCaption("0");
  }
  lblNO_->SetFontColor(ui::colors::kNavy);
  Label25_->SetFontColor(ui::colors::kNavy);
  imgOK_->SetVisible(false);
  lblCurrentFile_->SetCaption("Scanning processes in memory...");
}

void ScanningPage::ShowRunningProcesses(std::size_t count) {
  lblRP_->SetCaption(locale_.FormatCount(static_cast<std::int64_t>(count)));
}

void ScanningPage::ShowCurrent(const std::string& text) {
  lblCurrentFile_->SetCaption(text);
}

void ScanningPage::ShowScanned(const ScanCounters& counters) {
  ShowCount(*lblOS_, counters.ObjectsScanned);
}

// The new-objects count turns red, with its caption, before it shows the new figure.
void ScanningPage::ShowFound(RowKind kind, const ScanCounters& counters) {
  ShowCount(*lblOR_, counters.ObjectsRecognized);
  switch (kind) {
    case RowKind::kProcess:
      ShowCount(*lblPI_, counters.ProcessesIdentified);
      break;
    case RowKind::kFile:
      ShowCount(*lblFI_, counters.FilesIdentified);
      break;
    case RowKind::kRegistryKey:
    case RowKind::kStartupEntry:
      ShowCount(*lblRI_, counters.RegistryKeysIdentified);
      break;
  }
  lblNO_->SetFontColor(ui::colors::kRed);
  Label25_->SetFontColor(ui::colors::kRed);
  ShowCount(*lblNO_, counters.NewObjects);
}

void ScanningPage::ShowEnding(ScanEnding ending, bool enabled) {
  switch (ending) {
    case ScanEnding::kStop:
      btnStop_->SetCaption("Stop");
      break;
    case ScanEnding::kReport:
      btnStop_->SetCaption("Report");
      break;
    case ScanEnding::kFinish:
      btnStop_->SetCaption("Finish");
      break;
  }
  btnStop_->SetEnabled(enabled);
}

void ScanningPage::ShowComplete(bool complete) {
  imgOK_->SetVisible(complete);
}

void ScanningPage::ShowCount(ui::Label& label, std::int32_t value) {
  label.SetCaption(locale_.FormatCount(value));
}

}  // namespace nexolant
