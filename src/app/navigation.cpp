#include "app/navigation.h"

#include <initializer_list>

#include "platform/raise.h"

namespace nexolant {

Navigation::Navigation(MainFrame& frame) : frame_(frame) {
  frame_.StatusBtn().OnClick = [this](ui::Control&) { StatusBtnClick(); };
  frame_.ScanBtn().OnClick = [this](ui::Control&) { ScanBtnClick(); };
  frame_.ActiveBtn().OnClick = [this](ui::Control&) { ActiveBtnClick(); };
  frame_.btnScan().OnClick = [this](ui::Control&) { btnScanClick(); };
  for (ui::Control* control :
       std::initializer_list<ui::Control*>{&frame_.QuarantineBtn(), &frame_.btnQuarantine()}) {
    control->OnClick = [this](ui::Control&) { btnQuarantineClick(); };
  }
  for (ui::Control* control :
       std::initializer_list<ui::Control*>{&frame_.SettingsBtn(), &frame_.btnSettings()}) {
    control->OnClick = [this](ui::Control&) { btnSettingsClick(); };
  }
  for (ui::Control* control :
       std::initializer_list<ui::Control*>{&frame_.HelpBtn(), &frame_.btnHelp()}) {
    control->OnClick = [this](ui::Control&) { Raise(OnHelpClick); };
  }
  frame_.btnInfo().OnClick = [this](ui::Control&) { Raise(OnInfoClick); };
  frame_.btnUpdate().OnClick = [this](ui::Control&) { Raise(OnUpdateClick); };
  for (ui::Control* control : std::initializer_list<ui::Control*>{
           &frame_.btnScan(), &frame_.btnSettings(), &frame_.btnQuarantine(), &frame_.btnUpdate(),
           &frame_.btnInfo(), &frame_.btnHelp()}) {
    control->OnMouseEnter = [this](ui::Control& sender) { btnInfoMouseEnter(sender); };
    control->OnMouseLeave = [this](ui::Control& sender) { btnInfoMouseLeave(sender); };
  }
}

void Navigation::ShowPage(MainPage page) {
  frame_.lblStatus().SetCaption(PageTitle(page));
  frame_.Notebook().SetPageIndex(page);
}

void Navigation::ReleaseSideButtonsExcept(ui::SpeedButton* keep) {
  for (ui::SpeedButton* button : {&frame_.StatusBtn(), &frame_.ScanBtn(), &frame_.ActiveBtn(),
                                  &frame_.SettingsBtn(), &frame_.QuarantineBtn()}) {
    if (button != keep) {
      button->SetDown(false);
    }
  }
}

// The click that runs the next three actions has already pressed their button.
void Navigation::StatusBtnClick() {
  frame_.StatusBtn().SetAllowAllUp(false);
  ShowPage(static_cast<MainPage>(frame_.StatusBtn().Tag()));
}

void Navigation::ScanBtnClick() {
  frame_.ScanBtn().SetAllowAllUp(false);
  ShowPage(static_cast<MainPage>(frame_.ScanBtn().Tag()));
}

void Navigation::ActiveBtnClick() {
  frame_.ActiveBtn().SetAllowAllUp(false);
  ShowPage(static_cast<MainPage>(frame_.ActiveBtn().Tag()));
}

void Navigation::btnScanClick() {
  frame_.ActiveBtn().SetDown(true);
  ActiveBtnClick();
}

void Navigation::btnQuarantineClick() {
  frame_.QuarantineBtn().SetAllowAllUp(true);
  ReleaseSideButtonsExcept(&frame_.QuarantineBtn());
  frame_.QuarantineBtn().SetDown(true);
  ShowPage(kQuarantinePage);
  Raise(OnQuarantineShown);
}

void Navigation::btnSettingsClick() {
  frame_.SettingsBtn().SetAllowAllUp(true);
  ReleaseSideButtonsExcept(&frame_.SettingsBtn());
  frame_.SettingsBtn().SetDown(true);
  ShowPage(kSettingsPage);
}

void Navigation::lblDetailsClick() {
  frame_.StatusBtn().SetAllowAllUp(true);
  ReleaseSideButtonsExcept(nullptr);
  ShowPage(kDetailsPage);
}

void Navigation::btnInfoMouseEnter(ui::Control& sender) {
  frame_.lblHint().SetCaption(sender.Hint());
}

void Navigation::btnInfoMouseLeave(ui::Control& /*sender*/) {
  frame_.lblHint().SetCaption(kDefaultHint);
}

// The help buttons and the pages' own controls stay as they are.
void Navigation::LockNavigation() {
  for (ui::Control* control : frame_.NavigationControls()) {
    control->SetEnabled(false);
  }
}

void Navigation::UnlockNavigation() {
  for (ui::Control* control : frame_.NavigationControls()) {
    control->SetEnabled(true);
  }
}

void Navigation::ShowScanningPage() {
  frame_.ScanBtn().SetAllowAllUp(true);
  frame_.ScanBtn().SetDown(true);
  ReleaseSideButtonsExcept(&frame_.ScanBtn());
  ShowPage(kScanningPage);
}

void Navigation::ShowReportPage() {
  ShowPage(kReportPage);
}

void Navigation::ShowStatusPage() {
  frame_.StatusBtn().SetAllowAllUp(true);
  frame_.StatusBtn().SetDown(true);
  ReleaseSideButtonsExcept(&frame_.StatusBtn());
  StatusBtnClick();
}

}  // namespace nexolant
