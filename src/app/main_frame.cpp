#include "app/main_frame.h"

#include <array>

#include "ui/artwork_names.h"
#include "ui/control_table.h"

namespace nexolant {
namespace {

using ui::ControlKind;

const ui::Font kTitleFont{.height = 17, .bold = true, .color = ui::colors::kBlack};
const ui::Font kBuildFont{.color = ui::colors::kAqua};

// The left column. The first five form exclusive group 1; their tags are page indices.
struct SideButtonRow {
  const char* name;
  const char* caption;
  int top;
  const char* hint;
  const char* glyph;
  int groupIndex;
  int tag;
  ui::SpeedButton** slot;
};
constexpr int kSideGroup = 1;

// The right column and the help button of the title strip: sized to their pictures, hints
// shown in the hint line.
struct ImageButtonRow {
  const char* name;
  ui::Rect bounds;
  const char* hint;
  const char* pictureStem;
  bool opaque;
  ui::ImageButton** slot;
};

}  // namespace

MainFrame::MainFrame(ui::Form& form) {
  BuildFrame(form);
  BuildSideButtons(form);
  BuildImageButtons(form);
}

void MainFrame::BuildFrame(ui::Form& form) {
  form.SetCaption("Nexolant");
  form.SetClientSize(762, 394);
  form.SetBorderStyle(ui::BorderStyle::kSingle);
  form.SetBorderIcons({.systemMenu = true, .minimize = true, .maximize = false});
  form.SetPosition(ui::FormPosition::kScreenCenter);
  form.SetColor(ui::Color::ButtonFace());
  form.SetFont(fonts::kWindow);

  const auto frameRows = std::to_array<ControlRow>({
      {.name = "Image",
       .kind = ControlKind::kImage,
       .bounds = {0, 0, 800, 394},
       .picture = artwork::kBackground,
       .slot = Image_},
      {.name = "Shape",
       .kind = ControlKind::kShape,
       .bounds = {176, 80, 505, 273},
       .color = panel_colors::kPanel},
  });
  BuildControls(form, frameRows);
  Notebook_ = &form.Add<ui::Notebook>("Notebook");
  Notebook_->SetBounds({177, 112, 503, 240});
  Notebook_->SetColor(panel_colors::kPage);
  const auto titleAndHintRows = std::to_array<ControlRow>({
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
       .font = &kTitleFont,
       .slot = lblStatus_},
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
       .caption = kDefaultHint,
       .slot = lblHint_},
      {.name = "Label1",
       .kind = ControlKind::kLabel,
       .bounds = {632, 374, 0, 0},
       .caption = "Build 2.0",
       .font = &kBuildFont},
  });
  BuildControls(form, titleAndHintRows);
}

void MainFrame::BuildSideButtons(ui::Form& form) {
  const SideButtonRow rows[] = {
      {"StatusBtn", "Status", 104, "Show status of the software", artwork::kGlyphStatus, kSideGroup,
       kStatusPage, &StatusBtn_},
      {"ScanBtn", "Scan Now", 144, "Scan your PC now for infection", artwork::kGlyphScan,
       kSideGroup, kScanNowPage, &ScanBtn_},
      {"ActiveBtn", "Active Monitoring", 184, "Enables or disables active monitoring",
       artwork::kGlyphActive, kSideGroup, kActiveMonitoringPage, &ActiveBtn_},
      {"SettingsBtn", "Settings", 224, "Configure program settings", artwork::kGlyphSettings,
       kSideGroup, 0, &SettingsBtn_},
      {"QuarantineBtn", "Quarantine", 264, "Open quarantine", artwork::kGlyphQuarantine, kSideGroup,
       0, &QuarantineBtn_},
      {"HelpBtn", "Help", 304, "Open the program's online help support site", artwork::kGlyphHelp,
       0, 0, &HelpBtn_},
  };
  for (const SideButtonRow& row : rows) {
    auto& button = form.Add<ui::SpeedButton>(row.name);
    button.SetBounds({14, row.top, 145, 32});
    button.SetCaption(row.caption);
    button.SetGlyph(row.glyph);
    button.SetHint(row.hint);
    button.SetShowHint(true);
    button.SetGroupIndex(row.groupIndex);
    button.SetTag(row.tag);
    *row.slot = &button;
  }
  StatusBtn_->SetDown(true);
}

void MainFrame::BuildImageButtons(ui::Form& form) {
  const ImageButtonRow rows[] = {
      {"btnScan",
       {694, 77, 60, 57},
       "Open active monitoring",
       artwork::kButtonScan,
       false,
       &btnScan_},
      {"btnSettings",
       {695, 133, 54, 56},
       "Allows you to configure program settings",
       artwork::kButtonSettings,
       false,
       &btnSettings_},
      {"btnQuarantine",
       {695, 192, 53, 52},
       "View objects in quarantine",
       artwork::kButtonQuarantine,
       false,
       &btnQuarantine_},
      {"btnUpdate",
       {696, 243, 53, 58},
       "Starts the automatic update procedure",
       artwork::kButtonUpdate,
       false,
       &btnUpdate_},
      {"btnInfo",
       {694, 302, 60, 56},
       "Shows program version and copyright information",
       artwork::kButtonInfo,
       false,
       &btnInfo_},
      {"btnHelp",
       {647, 81, 29, 29},
       "Show program help manual",
       artwork::kButtonHelp,
       true,
       &btnHelp_},
  };
  for (const ImageButtonRow& row : rows) {
    auto& button = form.Add<ui::ImageButton>(row.name);
    button.SetBounds(row.bounds);
    button.SetPictures(artwork::ImageButtonPicturesOf(row.pictureStem));
    button.SetHint(row.hint);
    button.SetCursor(ui::Cursor::kHand);
    button.SetOpaque(row.opaque);
    // The opaque button's white parts show its white fill, not what lies behind it.
    button.SetTransparentColor(row.opaque ? ui::colors::kWhite : ui::colors::kFuchsia);
    if (row.opaque) {
      button.SetColor(ui::colors::kWhite);
    }
    *row.slot = &button;
  }
  navigationControls_ = {StatusBtn_,     ScanBtn_,   ActiveBtn_,   btnScan_,       btnSettings_,
                         btnQuarantine_, btnUpdate_, SettingsBtn_, QuarantineBtn_, btnInfo_};
}

}  // namespace nexolant
