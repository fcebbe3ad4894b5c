#pragma once

namespace nexolant {

// What a scan needs of the main window's navigation: the lock that keeps the user on the
// scan's pages, and the one way back to the Status page.
class ScanNavigation {
 public:
  virtual ~ScanNavigation() = default;
  virtual void LockNavigation() = 0;
  virtual void UnlockNavigation() = 0;
  virtual void BackToStatus() = 0;
};

}  // namespace nexolant
