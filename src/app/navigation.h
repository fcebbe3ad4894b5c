#pragma once

#include <functional>

#include "app/main_frame.h"
#include "app/page_table.h"

namespace nexolant {

// The way between the pages: the page buttons on the left, the image buttons on the right,
// the title over the page and the hint line, and the lock a scan puts on them.
class Navigation {
 public:
  explicit Navigation(MainFrame& frame);
  Navigation(const Navigation&) = delete;
  Navigation& operator=(const Navigation&) = delete;

  // Shows a page with its title; the side buttons are the caller's business.
  void ShowPage(MainPage page);

  // The navigation lock of a scan; the help buttons and the pages' own controls stay usable.
  void LockNavigation();
  void UnlockNavigation();
  // The Scanning page with its title, Scan Now pressed alone in the side-button group, all-up
  // allowed.
  void ShowScanningPage();
  // The Report page with its title; the side buttons stay as they are.
  void ShowReportPage();
  // The Status page with its title, the Status button pressed alone.
  void ShowStatusPage();

  // Handlers of the pages' links that lead to another page.
  void lblDetailsClick();
  void btnQuarantineClick();

  // The buttons that open a window rather than a page.
  std::function<void()> OnHelpClick;
  std::function<void()> OnInfoClick;
  std::function<void()> OnUpdateClick;
  // The Quarantine page was shown.
  std::function<void()> OnQuarantineShown;

 private:
  // Handlers.
  void StatusBtnClick();
  void ScanBtnClick();
  void ActiveBtnClick();
  void btnScanClick();
  void btnSettingsClick();
  void btnInfoMouseEnter(ui::Control& sender);
  void btnInfoMouseLeave(ui::Control& sender);

  // Releases every side button of the group except keep (none when null).
  void ReleaseSideButtonsExcept(ui::SpeedButton* keep);

  MainFrame& frame_;
};

}  // namespace nexolant
