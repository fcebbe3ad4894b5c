#include "app/main_form.h"

#include <utility>

#include "ui/control_table.h"
#include "app/splash_form.h"
#include "reference/reference_loader.h"

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
  BindControls();
  WireEvents();
  OnCreate = [this](ui::Form&) { FormCreate(); };
  OnDestroy = [this](ui::Form&) { FormDestroy(); };
}

TMainForm::~TMainForm() = default;

void TMainForm::BindControls() {
  Image_ = &Named<ui::Image>(*this, "Image");
  Notebook_ = &Named<ui::Notebook>(*this, "Notebook");
  lblStatus_ = &Named<ui::Label>(*this, "lblStatus");
  lblHint_ = &Named<ui::Label>(*this, "lblHint");
  StatusBtn_ = &Named<ui::SpeedButton>(*this, "StatusBtn");
  ScanBtn_ = &Named<ui::SpeedButton>(*this, "ScanBtn");
  ActiveBtn_ = &Named<ui::SpeedButton>(*this, "ActiveBtn");
  SettingsBtn_ = &Named<ui::SpeedButton>(*this, "SettingsBtn");
  QuarantineBtn_ = &Named<ui::SpeedButton>(*this, "QuarantineBtn");
  HelpBtn_ = &Named<ui::SpeedButton>(*this, "HelpBtn");
  btnScan_ = &Named<ui::ImageButton>(*this, "btnScan");
  btnSettings_ = &Named<ui::ImageButton>(*this, "btnSettings");
  btnQuarantine_ = &Named<ui::ImageButton>(*this, "btnQuarantine");
  btnUpdate_ = &Named<ui::ImageButton>(*this, "btnUpdate");
  btnInfo_ = &Named<ui::ImageButton>(*this, "btnInfo");
  btnHelp_ = &Named<ui::ImageButton>(*this, "btnHelp");
  lblRefStatus_ = &Named<ui::Label>(*this, "lblRefStatus");
  lblDetails_ = &Named<ui::LinkLabel>(*this, "lblDetails");
  lblOpenQuarantine_ = &Named<ui::LinkLabel>(*this, "lblOpenQuarantine");
  lblFileStatus_ = &Named<ui::Label>(*this, "lblFileStatus");
  lblInitialized_ = &Named<ui::Label>(*this, "lblInitialized");
  DetailsMemo_ = &Named<ui::Memo>(*this, "DetailsMemo");
  btnStop_ = &Named<ui::Button>(*this, "btnStop");
  navigationControls_ = {StatusBtn_,     ScanBtn_,   ActiveBtn_,   btnScan_,       btnSettings_,
                         btnQuarantine_, btnUpdate_, SettingsBtn_, QuarantineBtn_, btnInfo_};
}

void TMainForm::WireEvents() {
  StatusBtn_->OnClick = [this](ui::Control&) { StatusBtnClick(); };
  ScanBtn_->OnClick = [this](ui::Control&) { ScanBtnClick(); };
  ActiveBtn_->OnClick = [this](ui::Control&) { ActiveBtnClick(); };
  btnScan_->OnClick = [this](ui::Control&) { btnScanClick(); };
  for (ui::Control* control :
       std::initializer_list<ui::Control*>{QuarantineBtn_, btnQuarantine_, lblOpenQuarantine_}) {
    control->OnClick = [this](ui::Control&) { btnQuarantineClick(); };
  }
  for (ui::Control* control : std::initializer_list<ui::Control*>{SettingsBtn_, btnSettings_}) {
    control->OnClick = [this](ui::Control&) { btnSettingsClick(); };
  }
  lblDetails_->OnClick = [this](ui::Control&) { lblDetailsClick(); };
  for (ui::Control* control : std::initializer_list<ui::Control*>{HelpBtn_, btnHelp_}) {
    control->OnClick = [this](ui::Control&) { HelpBtnClick(); };
  }
  btnInfo_->OnClick = [this](ui::Control&) { btnInfoClick(); };
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

// The start-up order. The tray icon and the stored-settings file name take their places
// between the hint style and the statistics when those subsystems exist. The reference load
// is not guarded: its failure reaches the error report and ends the sequence.
void TMainForm::FormCreate() {
  ShowSplash();
  services_.application.SetHintStyle(kHintStyle);
  RunGuarded([this] { LoadStatistics(); });
  CreateLists();
  LoadReference();
  RunGuarded([this] { RebuildQuarantineList(); });
}

void TMainForm::FormDestroy() {
  RunGuarded([this] { SaveStatistics(); });
  FreeLists();
}

void TMainForm::ShowSplash() {
  TSplashForm splash(services_.application);
  services_.application.ShowModal(splash);
}

void TMainForm::CreateLists() {
  tables_ = std::make_unique<SignatureTables>();
  driveQueue_ = std::make_unique<StringList>();
}

void TMainForm::FreeLists() {
  tables_.reset();
  driveQueue_.reset();
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
    DetailsMemo_->SetLines(std::move(details));
    throw;
  }
  DetailsMemo_->SetLines(std::move(details));

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
