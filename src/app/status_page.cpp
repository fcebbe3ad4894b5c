#include "app/status_page.h"

#include <array>

#include "ui/artwork_names.h"
#include "ui/control_table.h"

namespace nexolant {
namespace {

using ui::ControlKind;
constexpr ui::Color kRed = ui::colors::kRed;
constexpr ui::Color kNavy = ui::colors::kNavy;
constexpr ui::Color kGreen = ui::colors::kGreen;

const ui::Font kBoldRed{.height = 12, .bold = true, .color = kRed};
const ui::Font kBoldNavy{.height = 12, .bold = true, .color = kNavy};
const ui::Font kBoldGreen{.height = 12, .bold = true, .color = kGreen};

}  // namespace

StatusPage::StatusPage(ui::NotebookPage& page, const platform::Locale& locale) : locale_(locale) {
  const auto rows = std::to_array<ControlRow>({
      {.name = "Label4",
       .kind = ControlKind::kLabel,
       .bounds = {16, 8, 0, 0},
       .caption = "Initialization status",
       .font = &fonts::kHeading},
      {.name = "Shape3",
       .kind = ControlKind::kShape,
       .bounds = {16, 24, 473, 25},
       .color = panel_colors::kPanel},
      {.name = "Image1",
       .kind = ControlKind::kImage,
       .bounds = {19, 26, 21, 21},
       .picture = artwork::kStatusIcon},
      {.name = "lblRefStatus",
       .kind = ControlKind::kLabel,
       .bounds = {43, 29, 0, 0},
       .caption = "Reference file has been loaded successfully",
       .font = &fonts::kText,
       .slot = lblRefStatus_},
      {.name = "lblDetails",
       .kind = ControlKind::kLinkLabel,
       .bounds = {440, 30, 0, 0},
       .caption = "Details",
       .font = &fonts::kLinkBold,
       .hint = "Click here to find out more\r\nabout your reference file",
       .slot = lblDetails_},
      {.name = "Label6",
       .kind = ControlKind::kLabel,
       .bounds = {16, 56, 0, 0},
       .caption = "Usage statistics",
       .font = &fonts::kHeading},
      {.name = "Shape4",
       .kind = ControlKind::kShape,
       .bounds = {16, 72, 473, 161},
       .color = panel_colors::kPanel},
      {.name = "Label7",
       .kind = ControlKind::kLabel,
       .bounds = {32, 80, 0, 0},
       .caption = "Active monitoring",
       .font = &fonts::kText},
      {.name = "lblAMStatus",
       .kind = ControlKind::kLabel,
       .bounds = {200, 80, 0, 0},
       .caption = "Not loaded",
       .font = &kBoldRed,
       .slot = lblAMStatus_},
      {.name = "lblEnableDisable",
       .kind = ControlKind::kLinkLabel,
       .bounds = {416, 81, 66, 13},
       .caption = "Enable",
       .font = &fonts::kLink,
       .hint = "Click here to enable or disable\r\nactive monitoring",
       .alignment = ui::Alignment::kRight,
       .slot = lblEnableDisable_},
      {.name = "Label8",
       .kind = ControlKind::kLabel,
       .bounds = {32, 104, 0, 0},
       .caption = "Last system scan",
       .font = &fonts::kText},
      {.name = "lblLastSystemScan",
       .kind = ControlKind::kLabel,
       .bounds = {200, 104, 0, 0},
       .caption = "Never",
       .font = &kBoldNavy,
       .slot = lblLastSystemScan_},
      {.name = "Label11",
       .kind = ControlKind::kLabel,
       .bounds = {32, 128, 0, 0},
       .caption = "Total scans",
       .font = &fonts::kText},
      {.name = "lblTotalScans",
       .kind = ControlKind::kLabel,
       .bounds = {200, 128, 0, 0},
       .caption = "0",
       .font = &kBoldNavy,
       .slot = lblTotalScans_},
      {.name = "Label9",
       .kind = ControlKind::kLabel,
       .bounds = {32, 152, 0, 0},
       .caption = "Objects removed total",
       .font = &fonts::kText},
      {.name = "lblObjectsRemoved",
       .kind = ControlKind::kLabel,
       .bounds = {200, 152, 0, 0},
       .caption = "0",
       .font = &kBoldNavy,
       .slot = lblObjectsRemoved_},
      {.name = "Label10",
       .kind = ControlKind::kLabel,
       .bounds = {32, 176, 0, 0},
       .caption = "Objects quarantined",
       .font = &fonts::kText},
      {.name = "lblObjectsQuarantined",
       .kind = ControlKind::kLabel,
       .bounds = {200, 176, 0, 0},
       .caption = "0",
       .font = &kBoldNavy,
       .slot = lblObjectsQuarantined_},
      {.name = "lblOpenQuarantine",
       .kind = ControlKind::kLinkLabel,
       .bounds = {388, 178, 0, 0},
       .caption = "Open quarantine",
       .font = &fonts::kLink,
       .hint = "Click here to open quarantine",
       .slot = lblOpenQuarantine_},
      {.name = "lblViewLogs",
       .kind = ControlKind::kLinkLabel,
       .bounds = {388, 106, 0, 0},
       .caption = "View logs",
       .font = &fonts::kLink,
       .hint = "Click here to open the folder of the scan logs",
       .slot = lblViewLogs_},
      {.name = "Shape5",
       .kind = ControlKind::kShape,
       .bounds = {16, 200, 473, 33},
       .color = panel_colors::kPanel},
      {.name = "Image3",
       .kind = ControlKind::kImage,
       .bounds = {19, 206, 21, 21},
       .picture = artwork::kStatusIcon},
      {.name = "lblFileStatus",
       .kind = ControlKind::kLabel,
       .bounds = {44, 209, 0, 0},
       .caption = "Status OK",
       .font = &kBoldGreen,
       .slot = lblFileStatus_},
      {.name = "lblInitialized",
       .kind = ControlKind::kLabel,
       .bounds = {122, 210, 0, 0},
       .caption = "Software initialized.",
       .font = &fonts::kWindow,
       .slot = lblInitialized_},
      {.name = "lblCheckUpdates",
       .kind = ControlKind::kLinkLabel,
       .bounds = {352, 210, 0, 0},
       .caption = "Check for updates now",
       .font = &fonts::kLink,
       .hint = "Click here to check for updates via the Internet",
       .slot = lblCheckUpdates_},
  });
  BuildControls(page, rows);
  const auto raise = [](const std::function<void()>& event) {
    return [&event](ui::Control&) {
      if (event) {
        event();
      }
    };
  };
  lblDetails_->OnClick = raise(OnDetailsClick);
  lblOpenQuarantine_->OnClick = raise(OnOpenQuarantineClick);
  lblViewLogs_->OnClick = raise(OnViewLogsClick);
  lblCheckUpdates_->OnClick = raise(OnCheckUpdatesClick);
  lblEnableDisable_->OnClick = raise(OnEnableDisableClick);
}

void StatusPage::ShowMonitoring(bool on) {
  lblAMStatus_->SetFontColor(on ? kGreen : kRed);
  lblAMStatus_->SetCaption(on ? "Loaded" : "Not loaded");
  lblEnableDisable_->SetCaption(on ? "Disable" : "Enable");
}

void StatusPage::ShowStatistic(StatisticsField field, const StatisticsValues& values) {
  switch (field) {
    case StatisticsField::kLastScan:
      lblLastSystemScan_->SetCaption(LastScanText(values.LastScan, locale_));
      break;
    case StatisticsField::kTotalScans:
      lblTotalScans_->SetCaption(locale_.FormatCount(values.TotalScans));
      break;
    case StatisticsField::kObjectsRemoved:
      lblObjectsRemoved_->SetCaption(locale_.FormatCount(values.ObjectsRemoved));
      break;
    case StatisticsField::kObjectsQuarantined:
      lblObjectsQuarantined_->SetCaption(locale_.FormatCount(values.ObjectsQuarantined));
      break;
  }
}

void StatusPage::ShowReferenceStatus(ReferenceOutcome outcome) {
  const ReferenceStatusLook look = StatusLookFor(outcome);
  lblRefStatus_->SetCaption(look.refStatus);
  lblFileStatus_->SetCaption(look.fileStatus);
  ui::Font fileStatusFont = lblFileStatus_->Font();
  fileStatusFont.color = ui::Color::Rgb(look.fileStatusColour);
  fileStatusFont.bold = look.fileStatusBold;
  lblFileStatus_->SetFont(fileStatusFont);
  lblInitialized_->SetVisible(look.initializedVisible);
}

}  // namespace nexolant
