#include "update/update_form.h"

#include <array>
#include <optional>
#include <string>
#include <utility>

#include "platform/flag_scope.h"
#include "ui/artwork_names.h"
#include "ui/control_table.h"
#include "update/reference_install.h"

namespace nexolant {
namespace {

using ui::ControlKind;

const ui::Font kHeadingFont{.height = 13, .bold = true};
constexpr ui::Color kRule = ui::Color::Rgb(0xB5CDEC);

constexpr const char* kReadyText =
    "When you are ready to start updating your reference file, please click the Update button.";
constexpr const char* kDownloadingText = "Downloading from the Internet...";
constexpr const char* kSuccessText =
    "The reference data file has been updated successfully. You must restart the program.";
constexpr const char* kFailureText =
    "The reference data file has NOT been updated. Unable to download updated reference file.";
constexpr const char* kUndoneText =
    "The previous reference data file has been put back. You must restart the program.";
constexpr const char* kUndoFailureText =
    "The previous reference data file has NOT been put back. Unable to write Reference.dat.";

// "version 12 of 01/03/2025", or "an unknown version" for a file taken without one.
std::string VersionText(const platform::Locale& locale,
                        const std::optional<ReferenceVersion>& version) {
  return version ? "version " + std::to_string(version->number) + " of " +
                       locale.FormatDate(version->date.ToDateTime())
                 : std::string("an unknown version");
}

}  // namespace

const char* TUpdateForm::ReadyText() {
  return kReadyText;
}
const char* TUpdateForm::SuccessText() {
  return kSuccessText;
}
const char* TUpdateForm::FailureText() {
  return kFailureText;
}
const char* TUpdateForm::UndoneText() {
  return kUndoneText;
}

TUpdateForm::TUpdateForm(ui::Application& application, ReferenceUpdateServices services,
                         std::string url, platform::Path programFolder)
    : ui::Form("UpdateForm"),
      application_(application),
      services_(services),
      url_(std::move(url)),
      programFolder_(std::move(programFolder)) {
  SetCaption("Update");
  SetClientSize(437, 128);
  SetBorderStyle(ui::BorderStyle::kDialog);
  SetBorderIcons({.systemMenu = true, .minimize = false, .maximize = false});
  SetPosition(ui::FormPosition::kScreenCenter);
  SetFont(fonts::kWindow);

  auto& background = Add<ui::Image>("Image2");
  background.SetBounds({0, 0, 437, 128});
  background.SetPicture(artwork::kUpdateBackground);
  background.SetCenter(true);
  ui::Shape* rule = nullptr;
  const auto rows = std::to_array<ControlRow>({
      {.name = "Image1",
       .kind = ControlKind::kImage,
       .bounds = {8, 8, 32, 32},
       .picture = artwork::kUpdateIcon},
      {.name = "Label1",
       .kind = ControlKind::kLabel,
       .bounds = {48, 8, 0, 0},
       .caption = "Web Update",
       .font = &kHeadingFont},
      {.name = "Shape1",
       .kind = ControlKind::kShape,
       .bounds = {48, 32, 380, 2},
       .color = kRule,
       .slot = rule},
      {.name = "Label2",
       .kind = ControlKind::kLabel,
       .bounds = {48, 40, 0, 0},
       .caption = "Status:",
       .font = &fonts::kWindowBold},
      {.name = "lblUpdate",
       .kind = ControlKind::kLabel,
       .bounds = {48, 56, 370, 26},
       .caption = kReadyText,
       .slot = lblUpdate_},
      {.name = "btnUpdate",
       .kind = ControlKind::kButton,
       .bounds = {336, 96, 89, 24},
       .caption = "Update",
       .picture = artwork::kGlyphUpdate,
       .slot = btnUpdate_},
      {.name = "btnCancel",
       .kind = ControlKind::kButton,
       .bounds = {240, 96, 89, 24},
       .caption = "Cancel",
       .picture = artwork::kGlyphCancel,
       .slot = btnCancel_},
      // On the status line, clear of the status text, and below the icon's column.
      {.name = "lblVersion",
       .kind = ControlKind::kLabel,
       .bounds = {160, 40, 268, 14},
       .alignment = ui::Alignment::kRight,
       .slot = lblVersion_},
      {.name = "btnUndo",
       .kind = ControlKind::kButton,
       .bounds = {48, 96, 136, 24},
       .caption = "Undo last update",
       .visible = false,
       .slot = btnUndo_},
  });
  BuildControls(*this, rows);
  // The outline would draw the whole 2-pixel rule in its own colour.
  rule->SetPenColor(kRule);
  lblUpdate_->SetWordWrap(true);
  btnCancel_->SetCancel(true);

  btnUpdate_->OnClick = [this](ui::Control&) { btnUpdateClick(); };
  btnCancel_->OnClick = [this](ui::Control&) { btnCancelClick(); };
  btnUndo_->OnClick = [this](ui::Control&) { btnUndoClick(); };
  ShowVersions();
  OnCloseQuery = [this](ui::Form&, bool& canClose) { FormCloseQuery(canClose); };
}

void TUpdateForm::btnUpdateClick() {
  if (updated_) {
    Close();
    return;
  }
  btnCancel_->SetEnabled(false);
  lblUpdate_->SetCaption(kDownloadingText);
  btnUpdate_->SetEnabled(false);
  btnUndo_->SetEnabled(false);
  // A close asked for during the download waits in the queue and arrives inside the message
  // box's loop: both belong to the download, which no close may cut short.
  const platform::FlagScope downloading(downloading_);
  const UpdateResult result = UpdateReferenceFile(services_, url_, programFolder_);
  if (result.updated) {
    ShowDone(kSuccessText, "Update Complete");
  } else {
    const std::string reason = RefusalText(result.refusal, result.refusalLine);
    application_.ShowWarning(reason.empty() ? kFailureText : kFailureText + ("\n" + reason),
                             "Warning");
    btnCancel_->SetEnabled(true);
    btnUpdate_->SetEnabled(true);
    btnUndo_->SetEnabled(true);
    lblUpdate_->SetCaption(kReadyText);
  }
}

void TUpdateForm::btnUndoClick() {
  const std::string question = "Put back the reference file you had before the last update (" +
                               VersionText(services_.locale, versions_.previous) +
                               ")? The file it replaces cannot be taken again: only a newer one.";
  if (application_.ShowMessageBox(question, "Warning", ui::MessageButtons::kYesNo,
                                  ui::MessageIcon::kQuestion) != ui::MessageResult::kYes) {
    return;
  }
  if (UndoLastUpdate(services_.files, programFolder_, versions_)) {
    ShowDone(kUndoneText, "Undo Complete");
  } else {
    application_.ShowWarning(kUndoFailureText, "Warning");
  }
}

void TUpdateForm::ShowDone(const char* text, const char* caption) {
  ShowVersions();
  application_.ShowMessageBox(text, caption, ui::MessageButtons::kOk,
                              ui::MessageIcon::kInformation);
  updated_ = true;
  lblUpdate_->SetCaption(text);
  btnCancel_->SetEnabled(false);
  btnUpdate_->SetCaption("Finish");
  btnUpdate_->SetEnabled(true);
  btnUndo_->SetEnabled(true);
}

void TUpdateForm::ShowVersions() {
  versions_ = ReadInstalledVersions(services_.files, programFolder_, services_.shipped);
  lblVersion_->SetCaption("Reference file: " + VersionText(services_.locale, versions_.installed));
  btnUndo_->SetVisible(versions_.previousKept);
}

void TUpdateForm::btnCancelClick() {
  Close();
}

void TUpdateForm::FormCloseQuery(bool& canClose) const {
  canClose = !downloading_;
}

}  // namespace nexolant
