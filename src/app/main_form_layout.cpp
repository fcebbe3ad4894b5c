#include <array>
#include <string>

#include "ui/artwork_names.h"
#include "ui/control_table.h"
#include "app/main_form.h"
#include "app/pages/pages.h"

namespace nexolant {
namespace {

using ui::ControlKind;

const ui::Font kTitleFont{.height = 17, .bold = true, .color = ui::colors::kBlack};
const ui::Font kBuildFont{.color = ui::colors::kAqua};

// The frame around the notebook, bottom to top.
const std::array kFrameRows = std::to_array<ControlRow>({
    {.name = "Image",
     .kind = ControlKind::kImage,
     .bounds = {0, 0, 800, 394},
     .picture = artwork::kBackground},
    {.name = "Shape",
     .kind = ControlKind::kShape,
     .bounds = {176, 80, 505, 273},
     .color = panel_colors::kPanel},
});

const std::array kTitleAndHintRows = std::to_array<ControlRow>({
    {.name = "Shape2",
     .kind = ControlKind::kShape,
     .bounds = {176, 80, 505, 32},
     .color = ui::colors::kWhite},
    {.name = "Image2",
     .kind = ControlKind::kImage,
     .bounds = {177, 81, 502, 30},
     .picture = artwork::kTitleStrip},
    {.name = "lblStatus",
     .kind = ControlKind::kLabel,
     .bounds = {182, 85, 437, 20},
     .caption = "Nexolant Status",
     .font = &kTitleFont},
    {.name = "Shape1",
     .kind = ControlKind::kShape,
     .bounds = {176, 352, 505, 20},
     .color = panel_colors::kPage},
    {.name = "Label2",
     .kind = ControlKind::kLabel,
     .bounds = {181, 355, 0, 0},
     .caption = "Hint:",
     .font = &fonts::kWindowBold},
    {.name = "lblHint",
     .kind = ControlKind::kLabel,
     .bounds = {216, 355, 457, 13},
     .caption = kDefaultHint},
    {.name = "Label1",
     .kind = ControlKind::kLabel,
     .bounds = {632, 374, 0, 0},
     .caption = "Build 2.0",
     .font = &kBuildFont},
});

// The left column. The first five form exclusive group 1; their tags are page indices.
struct SideButtonRow {
  const char* name;
  const char* caption;
  int top;
  const char* hint;
  const char* glyph;
  int groupIndex;
  int tag;
};
constexpr int kSideGroup = 1;
constexpr std::array<SideButtonRow, 6> kSideButtons{{
    {"StatusBtn", "Status", 104, "Show status of the software", artwork::kGlyphStatus, kSideGroup,
     kStatusPage},
    {"ScanBtn", "Scan Now", 144, "Scan your PC now for infection", artwork::kGlyphScan, kSideGroup,
     kScanNowPage},
    {"ActiveBtn", "Active Monitoring", 184, "Enables or disables active monitoring",
     artwork::kGlyphActive, kSideGroup, kActiveMonitoringPage},
    {"SettingsBtn", "Settings", 224, "Configure program settings", artwork::kGlyphSettings,
     kSideGroup, 0},
    {"QuarantineBtn", "Quarantine", 264, "Open quarantine", artwork::kGlyphQuarantine, kSideGroup,
     0},
    {"HelpBtn", "Help", 304, "Open the program's online help support site", artwork::kGlyphHelp, 0,
     0},
}};

// The right column and the help button of the title strip: sized to their pictures, hints
// shown in the hint line.
struct ImageButtonRow {
  const char* name;
  ui::Rect bounds;
  const char* hint;
  const char* pictureStem;
  bool opaque;
};
constexpr std::array<ImageButtonRow, 6> kImageButtons{{
    {"btnScan", {694, 77, 60, 57}, "Open active monitoring", artwork::kButtonScan, false},
    {"btnSettings",
     {695, 133, 54, 56},
     "Allows you to configure program settings",
     artwork::kButtonSettings,
     false},
    {"btnQuarantine",
     {695, 192, 53, 52},
     "View objects in quarantine",
     artwork::kButtonQuarantine,
     false},
    {"btnUpdate",
     {696, 243, 53, 58},
     "Starts the automatic update procedure",
     artwork::kButtonUpdate,
     false},
    {"btnInfo",
     {694, 302, 60, 56},
     "Shows program version and copyright information",
     artwork::kButtonInfo,
     false},
    {"btnHelp", {647, 81, 29, 29}, "Show program help manual", artwork::kButtonHelp, true},
}};

struct PageRow {
  const char* caption;
  PageBuilder build;
};
constexpr std::array<PageRow, kPageCount> kPages{{
    {"Status", BuildStatusPage},
    {"ScanNow", BuildScanNowPage},
    {"ActiveMonitoring", BuildActiveMonitoringPage},
    {"Quarantine", BuildQuarantinePage},
    {"Settings", BuildSettingsPage},
    {"Details", BuildDetailsPage},
    {"Scanning", BuildScanningPage},
    {"Report", BuildReportPage},
}};

}  // namespace

void TMainForm::BuildFrame() {
  SetCaption("Nexolant");
  SetClientSize(762, 394);
  SetBorderStyle(ui::BorderStyle::kSingle);
  SetBorderIcons({.systemMenu = true, .minimize = true, .maximize = false});
  SetPosition(ui::FormPosition::kScreenCenter);
  SetColor(ui::Color::ButtonFace());
  SetFont(fonts::kWindow);

  BuildControls(*this, kFrameRows);
  auto& notebook = Add<ui::Notebook>("Notebook");
  notebook.SetBounds({177, 112, 503, 240});
  notebook.SetColor(panel_colors::kPage);
  BuildControls(*this, kTitleAndHintRows);
}

void TMainForm::BuildSideButtons() {
  for (const SideButtonRow& row : kSideButtons) {
    auto& button = Add<ui::SpeedButton>(row.name);
    button.SetBounds({14, row.top, 145, 32});
    button.SetCaption(row.caption);
    button.SetGlyph(row.glyph);
    button.SetHint(row.hint);
    button.SetShowHint(true);
    button.SetGroupIndex(row.groupIndex);
    button.SetTag(row.tag);
  }
  Named<ui::SpeedButton>(*this, "StatusBtn").SetDown(true);
}

void TMainForm::BuildImageButtons() {
  for (const ImageButtonRow& row : kImageButtons) {
    auto& button = Add<ui::ImageButton>(row.name);
    const std::string stem = row.pictureStem;
    button.SetBounds(row.bounds);
    button.SetPictures({stem + "_NORMAL", stem + "_HOT", stem + "_DOWN"});
    button.SetHint(row.hint);
    button.SetCursor(ui::Cursor::kHand);
    button.SetOpaque(row.opaque);
    button.SetTransparentColor(row.opaque ? ui::colors::kWhite : ui::colors::kFuchsia);
  }
}

void TMainForm::BuildPages() {
  auto& notebook = Named<ui::Notebook>(*this, "Notebook");
  for (const PageRow& row : kPages) {
    row.build(notebook.AddPage(row.caption), services_.locale);
  }
  notebook.SetPageIndex(kStatusPage);
}

}  // namespace nexolant
