#pragma once

namespace nexolant {

// What a scan needs of the main window's navigation: the lock that keeps the user on the
// scan's pages, the scan's own pages, and the one way back to the Status page.
class ScanNavigation {
 public:
  virtual ~ScanNavigation() = default;
  virtual void LockNavigation() = 0;
  virtual void UnlockNavigation() = 0;
  virtual void BackToStatus() = 0;
  // The Scanning page with its title, Scan Now pressed alone in the side-button group, all-up
  // allowed.
  virtual void ShowScanningPage() = 0;
  // The Report page with its title; the side buttons stay as they are.
  virtual void ShowReportPage() = 0;
};

}  // namespace nexolant
