#include "app/about_form.h"
#include "app/help.h"
#include "app/main_form.h"
#include "update/update_form.h"
#include "update/update_url.h"

namespace nexolant {

void TMainForm::ShowPage(MainPage page) {
  lblStatus_->SetCaption(PageTitle(page));
  Notebook_->SetPageIndex(page);
}

void TMainForm::ReleaseSideButtonsExcept(ui::SpeedButton* keep) {
  for (ui::SpeedButton* button : {StatusBtn_, ScanBtn_, ActiveBtn_, SettingsBtn_, QuarantineBtn_}) {
    if (button != keep) {
      button->SetDown(false);
    }
  }
}

// The click that runs the next three actions has already pressed their button.
void TMainForm::StatusBtnClick() {
  StatusBtn_->SetAllowAllUp(false);
  ShowPage(static_cast<MainPage>(StatusBtn_->Tag()));
}

void TMainForm::ScanBtnClick() {
  ScanBtn_->SetAllowAllUp(false);
  ShowPage(static_cast<MainPage>(ScanBtn_->Tag()));
}

void TMainForm::ActiveBtnClick() {
  ActiveBtn_->SetAllowAllUp(false);
  ShowPage(static_cast<MainPage>(ActiveBtn_->Tag()));
}

void TMainForm::btnScanClick() {
  ActiveBtn_->SetDown(true);
  ActiveBtnClick();
}

void TMainForm::btnQuarantineClick() {
  QuarantineBtn_->SetAllowAllUp(true);
  ReleaseSideButtonsExcept(QuarantineBtn_);
  QuarantineBtn_->SetDown(true);
  ShowPage(kQuarantinePage);
}

void TMainForm::btnSettingsClick() {
  SettingsBtn_->SetAllowAllUp(true);
  ReleaseSideButtonsExcept(SettingsBtn_);
  SettingsBtn_->SetDown(true);
  ShowPage(kSettingsPage);
}

void TMainForm::lblDetailsClick() {
  StatusBtn_->SetAllowAllUp(true);
  ReleaseSideButtonsExcept(nullptr);
  ShowPage(kDetailsPage);
}

void TMainForm::HelpBtnClick() {
  OpenHelp(services_.shell, services_.programFolder);
}

void TMainForm::btnInfoClick() {
  TAboutForm about(services_.shell, Image_->Picture());
  services_.application.ShowModal(about);
}

// The dialog lives for one showing: it goes when it closes, also when a failure escapes.
void TMainForm::btnUpdateClick() {
  TUpdateForm update(services_.application,
                     {services_.files, services_.downloader, services_.clock, services_.locale,
                      services_.application},
                     ReferenceUpdateUrl(), services_.programFolder);
  services_.application.ShowModal(update);
}

void TMainForm::btnInfoMouseEnter(ui::Control& sender) {
  lblHint_->SetCaption(sender.Hint());
}

void TMainForm::btnInfoMouseLeave(ui::Control& /*sender*/) {
  lblHint_->SetCaption(kDefaultHint);
}

// The help buttons and the pages' own controls stay as they are.
void TMainForm::LockNavigation() {
  for (ui::Control* control : navigationControls_) {
    control->SetEnabled(false);
  }
}

void TMainForm::UnlockNavigation() {
  for (ui::Control* control : navigationControls_) {
    control->SetEnabled(true);
  }
}

void TMainForm::ShowScanningPage() {
  ScanBtn_->SetAllowAllUp(true);
  ScanBtn_->SetDown(true);
  ReleaseSideButtonsExcept(ScanBtn_);
  ShowPage(kScanningPage);
}

void TMainForm::ShowReportPage() {
  ShowPage(kReportPage);
}

void TMainForm::BackToStatus() {
  UnlockNavigation();
  scanControl_->ResetEnding();
  StatusBtn_->SetAllowAllUp(true);
  StatusBtn_->SetDown(true);
  ReleaseSideButtonsExcept(StatusBtn_);
  StatusBtnClick();
}

}  // namespace nexolant
