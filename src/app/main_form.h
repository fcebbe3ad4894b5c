#pragma once

#include <array>
#include <memory>

#include "app/services.h"
#include "platform/string_list.h"
#include "reference/signature_tables.h"
#include "ui/controls.h"

namespace nexolant {

// The notebook's pages, by index.
enum MainPage : int {
  kStatusPage = 0,
  kScanNowPage = 1,
  kActiveMonitoringPage = 2,
  kQuarantinePage = 3,
  kSettingsPage = 4,
  kDetailsPage = 5,
  kScanningPage = 6,
  kReportPage = 7,
  kPageCount = 8,
};

// The text lblStatus shows over a page.
const char* PageTitle(MainPage page);

// The hint line's text while the mouse is over no image button.
inline constexpr const char* kDefaultHint =
    "Hover the mouse over right buttons to see description here";

// The program's one main window: the frame, its eight pages, the navigation between them,
// and the owner of the program's long-lived state. The constructor builds every control;
// the Application runs FormCreate (Application::CreateForm or Run) and FormDestroy (Run).
class TMainForm : public ui::Form {
 public:
  explicit TMainForm(AppServices services);
  ~TMainForm() override;

  // The signature tables, from CreateLists to FreeLists.
  const SignatureTables& Tables() const { return *tables_; }

  // The navigation lock of a scan, and the one way back to the Status page after it.
  void LockNavigation();
  void UnlockNavigation();
  void BackToStatus();

  // Shows a page with its title; the side buttons are the caller's business.
  void ShowPage(MainPage page);

 protected:
  // Start-up and shutdown steps whose failure is swallowed where the sequence runs them: the
  // step is abandoned and the sequence goes on. The statistics and quarantine subsystems
  // fill them in; until then they do nothing.
  virtual void LoadStatistics() {}
  virtual void RebuildQuarantineList() {}
  virtual void SaveStatistics() {}

  // Whether the signature lists exist (between CreateLists and FreeLists).
  bool ListsCreated() const { return tables_ != nullptr; }

 private:
  // Layout, one function per part of the window.
  void BuildFrame();
  void BuildSideButtons();
  void BuildImageButtons();
  void BuildPages();
  void BindControls();
  void WireEvents();

  // Lifecycle.
  void FormCreate();
  void FormDestroy();
  void ShowSplash();
  void CreateLists();
  void FreeLists();
  void LoadReference();

  // Navigation handlers.
  void StatusBtnClick();
  void ScanBtnClick();
  void ActiveBtnClick();
  void btnScanClick();
  void btnQuarantineClick();
  void btnSettingsClick();
  void lblDetailsClick();
  void HelpBtnClick();
  void btnInfoClick();
  void btnInfoMouseEnter(ui::Control& sender);
  void btnInfoMouseLeave(ui::Control& sender);

  // Releases every side button of the group except keep (none when null).
  void ReleaseSideButtonsExcept(ui::SpeedButton* keep);

  AppServices services_;
  std::unique_ptr<SignatureTables> tables_;
  std::unique_ptr<StringList> driveQueue_;

  // Frame.
  ui::Image* Image_ = nullptr;
  ui::Notebook* Notebook_ = nullptr;
  ui::Label* lblStatus_ = nullptr;
  ui::Label* lblHint_ = nullptr;
  ui::SpeedButton* StatusBtn_ = nullptr;
  ui::SpeedButton* ScanBtn_ = nullptr;
  ui::SpeedButton* ActiveBtn_ = nullptr;
  ui::SpeedButton* SettingsBtn_ = nullptr;
  ui::SpeedButton* QuarantineBtn_ = nullptr;
  ui::SpeedButton* HelpBtn_ = nullptr;
  ui::ImageButton* btnScan_ = nullptr;
  ui::ImageButton* btnSettings_ = nullptr;
  ui::ImageButton* btnQuarantine_ = nullptr;
  ui::ImageButton* btnUpdate_ = nullptr;
  ui::ImageButton* btnInfo_ = nullptr;
  ui::ImageButton* btnHelp_ = nullptr;
  // Status page.
  ui::Label* lblRefStatus_ = nullptr;
  ui::LinkLabel* lblDetails_ = nullptr;
  ui::LinkLabel* lblOpenQuarantine_ = nullptr;
  ui::Label* lblFileStatus_ = nullptr;
  ui::Label* lblInitialized_ = nullptr;
  // Details page.
  ui::Memo* DetailsMemo_ = nullptr;
  // Scanning page.
  ui::Button* btnStop_ = nullptr;

  // The controls LockNavigation disables, in its order.
  std::array<ui::Control*, 10> navigationControls_{};
};

}  // namespace nexolant
