#include "app/main_form.h"

#include <utility>

#include "app/splash_form.h"
#include "reference/reference_loader.h"
#include "ui/artwork_names.h"
#include "update/update_leftovers.h"

namespace nexolant {
namespace {

// Rounded pop-up hints with a shadow, no pointer tail, centred text.
constexpr ui::HintStyle kHintStyle{
    .rounded = true, .shadowOffset = 2, .pointerTail = false, .centered = true};

}  // namespace

TMainForm::TMainForm(AppServices services) : ui::Form("MainForm"), services_(std::move(services)) {
  BuildFrame();
  BuildSideButtons();
  BuildImageButtons();
  BuildPages();
  WireEvents();
  OnCreate = [this](ui::Form&) { FormCreate(); };
  OnShow = [this](ui::Form&) { FormShow(); };
  OnCloseRequest = [this](ui::Form&) { FormCloseRequest(); };
  OnClose = [this](ui::Form&) { FormClose(); };
  OnDestroy = [this](ui::Form&) { FormDestroy(); };
  services_.application.OnEndSession = [this] { AppEventsEndSession(); };
}

TMainForm::~TMainForm() {
  services_.application.OnEndSession = nullptr;
}

void TMainForm::WireEvents() {
  StatusBtn_->OnClick = [this](ui::Control&) { StatusBtnClick(); };
  ScanBtn_->OnClick = [this](ui::Control&) { ScanBtnClick(); };
  ActiveBtn_->OnClick = [this](ui::Control&) { ActiveBtnClick(); };
  btnScan_->OnClick = [this](ui::Control&) { btnScanClick(); };
  for (ui::Control* control : std::initializer_list<ui::Control*>{
           QuarantineBtn_, btnQuarantine_, &statusPage_->lblOpenQuarantine()}) {
    control->OnClick = [this](ui::Control&) { btnQuarantineClick(); };
  }
  for (ui::Control* control : std::initializer_list<ui::Control*>{SettingsBtn_, btnSettings_}) {
    control->OnClick = [this](ui::Control&) { btnSettingsClick(); };
  }
  statusPage_->lblDetails().OnClick = [this](ui::Control&) { lblDetailsClick(); };
  for (ui::Control* control : std::initializer_list<ui::Control*>{HelpBtn_, btnHelp_}) {
    control->OnClick = [this](ui::Control&) { HelpBtnClick(); };
  }
  btnInfo_->OnClick = [this](ui::Control&) { btnInfoClick(); };
  for (ui::Control* control :
       std::initializer_list<ui::Control*>{btnUpdate_, &statusPage_->lblCheckUpdates()}) {
    control->OnClick = [this](ui::Control&) { btnUpdateClick(); };
  }
  for (ui::Control* control : std::initializer_list<ui::Control*>{
           btnScan_, btnSettings_, btnQuarantine_, btnUpdate_, btnInfo_, btnHelp_}) {
    control->OnMouseEnter = [this](ui::Control& sender) { btnInfoMouseEnter(sender); };
    control->OnMouseLeave = [this](ui::Control& sender) { btnInfoMouseLeave(sender); };
  }
}

// Start-up, in order. Only the reference load can end it early: its failure goes to the
// standard error report and the window opens all the same.
namespace {

// Runs a step whose failure must not stop the start-up or shutdown sequence.
template <typename Step>
void RunGuarded(Step step) {
  try {
    step();
  } catch (...) {
  }
}

}  // namespace

// The start-up order. The reference load is not guarded: its failure reaches the error report
// and ends the sequence.
void TMainForm::FormCreate() {
  RemoveUpdateLeftovers(services_.files, services_.programFolder);
  ShowSplash();
  services_.application.SetHintStyle(kHintStyle);
  tray_->TrayIcon().SetIcon(artwork::kApplicationIcon);
  settingsPage_->SetStorageFileName(SettingsFile());
  RunGuarded([this] { LoadStatistics(); });
  CreateLists();
  LoadReference();
  RunGuarded([this] { RebuildQuarantineList(); });
}

// At the first show, in order: the stored options, so that the steps after them see them;
// the optional start of the monitor; the start-with-Windows state.
void TMainForm::FormShow() {
  settingsPage_->RestoreOptions();
  activeMonitoringPage_->StartIfConfigured();
  settingsPage_->ShowStartupEntry();
}

// A close asked for while a handler pumps waits for that handler (Application::RequestClose);
// meanwhile no monitor refresh may start.
void TMainForm::FormCloseRequest() {
  activeMonitoringPage_->StopTimer();
  scanControl_->StopForClose();
}

void TMainForm::FormClose() {
  settingsPage_->SaveOptions();
}

// The options are saved here too when the window is destroyed without a close; the settings
// page saves them once, and only after it restored them.
void TMainForm::FormDestroy() {
  settingsPage_->SaveOptions();
  RunGuarded([this] { SaveStatistics(); });
  FreeLists();
}

// Each is saved once: the close and the destruction that may follow save nothing more.
void TMainForm::AppEventsEndSession() {
  settingsPage_->SaveOptions();
  RunGuarded([this] { SaveStatistics(); });
}

std::string TMainForm::SettingsFile() const {
  return services_.programFolder + kSettingsFileName;
}

void TMainForm::LoadStatistics() {
  statisticsStore_->Load(SettingsFile());
}

void TMainForm::SaveStatistics() {
  statisticsStore_->Save(SettingsFile());
}

void TMainForm::RebuildQuarantineList() {
  quarantinePage_->Rebuild();
}

void TMainForm::ShowSplash() {
  TSplashForm splash(services_.application);
  services_.application.ShowModal(splash);
}

void TMainForm::CreateLists() {
  tables_ = std::make_unique<SignatureTables>();
  scanControl_->CreateDriveQueue();
}

void TMainForm::FreeLists() {
  tables_.reset();
  scanControl_->FreeDriveQueue();
}

// Loads the reference file into the tables, writes the Details text and sets the Status
// page's reference labels. The Details text is shown also when the load fails part-way.
void TMainForm::LoadReference() {
  StringList details;
  ReferenceOutcome outcome;
  try {
    outcome = nexolant::LoadReference({services_.files, services_.clock, services_.locale,
                                       services_.application, services_.application},
                                      services_.programFolder, *tables_, details);
  } catch (...) {
    detailsPage_->ShowDetails(std::move(details));
    throw;
  }
  detailsPage_->ShowDetails(std::move(details));
  statusPage_->ShowReferenceStatus(outcome);
}

}  // namespace nexolant
