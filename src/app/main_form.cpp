#include "app/main_form.h"

#include <array>
#include <utility>

#include "app/about_form.h"
#include "app/help.h"
#include "app/program_version.h"
#include "app/splash_form.h"
#include "ignore/ignored_objects_form.h"
#include "protection/name_sample.h"
#include "reference/reference_loader.h"
#include "repair/details_form.h"
#include "ui/artwork_names.h"
#include "update/update_form.h"
#include "update/update_leftovers.h"
#include "update/update_url.h"

namespace nexolant {
namespace {

// Rounded pop-up hints with a shadow, no pointer tail, centred text.
constexpr ui::HintStyle kHintStyle{
    .rounded = true, .shadowOffset = 2, .pointerTail = false, .centered = true};

// Runs a step whose failure must not stop the start-up or shutdown sequence.
template <typename Step>
void RunGuarded(Step step) {
  try {
    step();
  } catch (...) {
  }
}

}  // namespace

TMainForm::TMainForm(AppServices services)
    : ui::Form("MainForm"),
      services_(std::move(services)),
      frame_(*this),
      navigation_(frame_),
      deferredActions_(services_.application),
      scanLog_({.files = services_.files,
                .clock = services_.clock,
                .locale = services_.locale,
                .warnings = services_.application,
                .programFolder = services_.programFolder,
                .programVersion = kProgramVersion}) {
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

// The pages in notebook order, with the models they show. Repair, Cancel, Restore and Empty
// never run inside one another.
void TMainForm::BuildPages() {
  std::array<ui::NotebookPage*, kPageCount> pages{};
  for (int page = 0; page < kPageCount; ++page) {
    pages[page] = &frame_.Notebook().AddPage(PageCaption(static_cast<MainPage>(page)));
  }
  const IniServices ini{.files = services_.files,
                        .locale = services_.locale,
                        .pump = services_.application,
                        .warnings = services_.application};
  protection_ = std::make_unique<protection::ProtectionPolicy>(
      protection::ProtectionServices{.files = services_.files,
                                     .registry = services_.registry,
                                     .locale = services_.locale,
                                     .ownProcessId = services_.processes.CurrentProcessId(),
                                     .processes = services_.processes,
                                     .evidence = services_.evidence});
  ignored_ = std::make_unique<IgnoredObjects>(
      IgnoredObjectsServices{.files = services_.files,
                             .verifier = platform::SystemSignatureVerifier(),
                             .clock = services_.clock,
                             .pump = services_.application,
                             .lock = services_.folderLock},
      services_.programFolder + kIgnoreListFileName);
  statusPage_ = std::make_unique<StatusPage>(*pages[kStatusPage], services_.locale);
  statisticsStore_ = std::make_unique<StatisticsStore>(ini, statistics_, services_.folderLock);
  settingsPage_ =
      std::make_unique<SettingsPage>(*pages[kSettingsPage], options_,
                                     SettingsServices{.profileStrings = services_.profileStrings,
                                                      .folderLock = services_.folderLock,
                                                      .registry = services_.registry,
                                                      .files = services_.files,
                                                      .application = services_.application});
  scanNowPage_ = std::make_unique<ScanNowPage>(*pages[kScanNowPage]);
  monitor_ = std::make_unique<ProcessMonitor>(MonitorServices{.processes = services_.processes,
                                                              .locale = services_.locale,
                                                              .application = services_.application,
                                                              .deferred = deferredActions_,
                                                              .signatures = *this,
                                                              .protection = *protection_,
                                                              .ignored = *ignored_,
                                                              .options = options_});
  activeMonitoringPage_ = std::make_unique<ActiveMonitoringPage>(*pages[kActiveMonitoringPage],
                                                                 services_.application, *monitor_);
  quarantineStore_ =
      std::make_unique<QuarantineStore>(QuarantineServices{.ini = ini,
                                                           .registry = services_.registry,
                                                           .tasks = services_.tasks,
                                                           .programFolder = services_.programFolder,
                                                           .statistics = statistics_,
                                                           .signatures = *this,
                                                           .protection = *protection_,
                                                           .lock = services_.folderLock});
  quarantinePage_ =
      std::make_unique<QuarantinePage>(*pages[kQuarantinePage], *quarantineStore_, services_.locale,
                                       services_.application, exclusiveActions_, deferredActions_);
  detailsPage_ = std::make_unique<DetailsPage>(*pages[kDetailsPage]);
  scanningPage_ = std::make_unique<ScanningPage>(*pages[kScanningPage], services_.locale);
  reportPage_ =
      std::make_unique<ReportPage>(*pages[kReportPage],
                                   ReportServices{.files = services_.files,
                                                  .shell = services_.shell,
                                                  .registry = services_.registry,
                                                  .processes = services_.processes,
                                                  .tasks = services_.tasks,
                                                  .serviceControl = services_.serviceControl,
                                                  .clock = services_.clock,
                                                  .locale = services_.locale,
                                                  .folderLock = services_.folderLock,
                                                  .application = services_.application},
                                   ReportPeers{.navigation = *this,
                                               .statistics = statistics_,
                                               .options = options_,
                                               .findings = findings_,
                                               .ignored = *ignored_,
                                               .quarantine = *quarantineStore_,
                                               .protection = *protection_,
                                               .actions = exclusiveActions_,
                                               .deferred = deferredActions_,
                                               .log = scanLog_});
  frame_.Notebook().SetPageIndex(kStatusPage);
  tray_ = std::make_unique<Tray>(services_.notificationArea, services_.application, options_);
  scanControl_ =
      std::make_unique<ScanControl>(ScanServices{.files = services_.files,
                                                 .registry = services_.registry,
                                                 .processes = services_.processes,
                                                 .clock = services_.clock,
                                                 .locale = services_.locale,
                                                 .folderBrowser = services_.folderBrowser,
                                                 .shortcuts = services_.shortcuts,
                                                 .tasks = services_.tasks,
                                                 .application = services_.application,
                                                 .programFolder = services_.programFolder},
                                    ScanPages{.scanNow = *scanNowPage_, .scanning = *scanningPage_},
                                    ScanPeers{.navigation = *this,
                                              .statistics = statistics_,
                                              .monitor = *this,
                                              .options = options_,
                                              .signatures = *this,
                                              .protection = *protection_,
                                              .ignored = *ignored_,
                                              .findings = findings_,
                                              .deferred = deferredActions_,
                                              .log = scanLog_});
}

// The pages' events lead to the models and to other pages; the models' changes to the pages
// that show them, the Status page among them.
void TMainForm::WireEvents() {
  navigation_.OnHelpClick = [this] { Act([this] { HelpBtnClick(); }); };
  navigation_.OnInfoClick = [this] { Act([this] { btnInfoClick(); }); };
  navigation_.OnUpdateClick = [this] { Act([this] { btnUpdateClick(); }); };
  statusPage_->OnDetailsClick = [this] { navigation_.lblDetailsClick(); };
  statusPage_->OnOpenQuarantineClick = [this] { navigation_.btnQuarantineClick(); };
  statusPage_->OnViewLogsClick = [this] { Act([this] { lblViewLogsClick(); }); };
  // What another process of the program quarantined meanwhile shows when the page does.
  navigation_.OnQuarantineShown = [this] { quarantinePage_->Refresh(); };
  statusPage_->OnCheckUpdatesClick = [this] { Act([this] { btnUpdateClick(); }); };
  statusPage_->OnEnableDisableClick = [this] { monitor_->Toggle(); };
  statistics_.OnChanged = [this](StatisticsField field) {
    statusPage_->ShowStatistic(field, statistics_.Values());
  };
  monitor_->OnMonitoringChanged = [this](bool on) { statusPage_->ShowMonitoring(on); };
  options_.OnChanged = [this](Option option) {
    settingsPage_->ShowOption(option);
    if (option == Option::kIntervalItem) {
      monitor_->ApplyInterval();
    }
  };
  findings_.OnCleared = [this] { reportPage_->ShowCleared(); };
  findings_.OnAdded = [this](const Finding& finding) { reportPage_->ShowFinding(finding); };
  findings_.OnTickChanged = [this](std::size_t index) { reportPage_->ShowTick(index); };
  reportPage_->OnShowDetails = [this](const Finding& finding) {
    ShowFindingDetails(services_.application,
                       {.files = services_.files,
                        .registry = services_.registry,
                        .processes = services_.processes,
                        .verifier = platform::SystemSignatureVerifier(),
                        .evidence = services_.evidence,
                        .locale = services_.locale},
                       finding);
  };
  reportPage_->OnRepaired = [this] { quarantinePage_->ShowRepairSummary(); };
  settingsPage_->OnIgnoredObjectsClick = [this] { Act([this] { lblIgnoredObjectsClick(); }); };
}

// The scan's button offers Stop again for the next scan.
void TMainForm::BackToStatus() {
  navigation_.UnlockNavigation();
  scanControl_->ResetEnding();
  navigation_.ShowStatusPage();
}

// The start-up order. The reference load is not guarded: its failure reaches the error report
// and ends the sequence.
void TMainForm::FormCreate() {
  RemoveUpdateLeftovers(services_.files, services_.programFolder);
  ShowSplash();
  services_.application.SetHintStyle(kHintStyle);
  tray_->TrayIcon().SetIcon(artwork::kApplicationIcon);
  settingsPage_->SetStorageFileName(SettingsFile());
  RunGuarded([this] { LoadStatistics(); });
  ignored_->Load();
  CreateLists();
  LoadReference();
  RunGuarded([this] { RebuildQuarantineList(); });
}

// At the first show, in order: the stored options, so that the steps after them see them;
// the optional start of the monitor; the start-with-Windows state.
void TMainForm::FormShow() {
  settingsPage_->RestoreOptions();
  // A failed first refresh is reported; the box still shows the Run value.
  services_.application.RunHandler([this] { StartMonitorIfConfigured(); });
  settingsPage_->ShowStartupEntry();
}

void TMainForm::StartMonitorIfConfigured() {
  if (options_.AutoStartMonitor()) {
    monitor_->EnableMonitoring();
  }
}

// A close asked for while a handler pumps waits for that handler (Application::RequestClose);
// meanwhile no monitor refresh may start.
void TMainForm::FormCloseRequest() {
  monitor_->StopTimer();
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

platform::Path TMainForm::SettingsFile() const {
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
    outcome = nexolant::LoadReference({.files = services_.files,
                                       .clock = services_.clock,
                                       .locale = services_.locale,
                                       .pump = services_.application,
                                       .warnings = services_.application},
                                      services_.programFolder, *tables_, details,
                                      protection::TooBroadSample());
  } catch (...) {
    detailsPage_->ShowDetails(std::move(details));
    throw;
  }
  detailsPage_->ShowDetails(std::move(details));
  statusPage_->ShowReferenceStatus(outcome);
}

void TMainForm::Act(std::function<void()> action) {
  if (!deferredActions_.Defer(action)) {
    action();
  }
}

void TMainForm::HelpBtnClick() {
  OpenHelp(services_.shell, services_.programFolder);
}

void TMainForm::btnInfoClick() {
  TAboutForm about(services_.shell, frame_.Image().Picture());
  services_.application.ShowModal(about);
}

// The dialog lives for one showing: it goes when it closes, also when a failure escapes.
void TMainForm::btnUpdateClick() {
  TUpdateForm update(services_.application,
                     {.files = services_.files,
                      .downloader = services_.downloader,
                      .clock = services_.clock,
                      .locale = services_.locale,
                      .warnings = services_.application},
                     ReferenceUpdateUrl(), services_.programFolder);
  services_.application.ShowModal(update);
}

// The folder is there once a scan was logged.
void TMainForm::lblViewLogsClick() {
  const platform::Path folder = scanLog_.Folder();
  if (!services_.files.FolderExists(folder)) {
    services_.application.ShowMessageBox("No scan has been logged yet.", "Nexolant",
                                         ui::MessageButtons::kOk, ui::MessageIcon::kInformation);
    return;
  }
  // A folder the shell cannot open is left as it is, with its logs.
  platform::BestEffort(services_.shell.Open(folder));
}

void TMainForm::lblIgnoredObjectsClick() {
  TIgnoredObjectsForm dialog(*ignored_, services_.application);
  services_.application.ShowModal(dialog);
}

}  // namespace nexolant
