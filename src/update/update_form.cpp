#include "update/update_form.h"

#include <array>
#include <utility>

#include "platform/flag_scope.h"
#include "ui/artwork_names.h"
#include "ui/control_table.h"

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
  });
  BuildControls(*this, rows);
  // The outline would draw the whole 2-pixel rule in its own colour.
  rule->SetPenColor(kRule);
  lblUpdate_->SetWordWrap(true);
  btnCancel_->SetCancel(true);

  btnUpdate_->OnClick = [this](ui::Control&) { btnUpdateClick(); };
  btnCancel_->OnClick = [this](ui::Control&) { btnCancelClick(); };
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
  // A close asked for during the download waits in the queue and arrives inside the message
  // box's loop: both belong to the download, which no close may cut short.
  const platform::FlagScope downloading(downloading_);
  if (UpdateReferenceFile(services_, url_, programFolder_)) {
    application_.ShowMessageBox(kSuccessText, "Update Complete", ui::MessageButtons::kOk,
                                ui::MessageIcon::kInformation);
    updated_ = true;
    lblUpdate_->SetCaption(kSuccessText);
    btnUpdate_->SetCaption("Finish");
    btnUpdate_->SetEnabled(true);
  } else {
    application_.ShowWarning(kFailureText, "Warning");
    btnCancel_->SetEnabled(true);
    btnUpdate_->SetEnabled(true);
    lblUpdate_->SetCaption(kReadyText);
  }
}

void TUpdateForm::btnCancelClick() {
  Close();
}

void TUpdateForm::FormCloseQuery(bool& canClose) const {
  canClose = !downloading_;
}

}  // namespace nexolant
