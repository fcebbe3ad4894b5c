#pragma once

#include "settings/options.h"
#include "ui/check_box.h"
#include "ui/combo_box.h"
#include "ui/notebook.h"

namespace nexolant {

// Page 4: the program's options.
class SettingsPage : public Options {
 public:
  explicit SettingsPage(ui::NotebookPage& page);

  bool MinimizeToTray() const override { return chkMinimize_->Checked(); }
  bool QuarantineBeforeRemoval() const override { return chkQuarantine_->Checked(); }
  bool DeepScanRegistry() const override { return chkDeepScanReg_->Checked(); }
  bool AutoTerminate() const override { return chkAutoTerminate_->Checked(); }
  bool AutoStartMonitor() const override { return chkAutoStartMonitor_->Checked(); }

  // The window's first show restores the stored options; a close (or, without one, the
  // destruction of a window that was shown) saves them. Both stay empty until the options
  // have a file of their own.
  void RestoreOptions() {}
  void SaveOptions() {}
  // Applies the "Start with Windows" box; run at every first show after the options.
  void chkStartupClick() {}

  ui::CheckBox& chkStartup() const { return *chkStartup_; }
  ui::CheckBox& chkMinimize() const { return *chkMinimize_; }
  ui::CheckBox& chkQuarantine() const { return *chkQuarantine_; }
  ui::CheckBox& chkDeepScanReg() const { return *chkDeepScanReg_; }
  ui::CheckBox& chkAutoTerminate() const { return *chkAutoTerminate_; }
  ui::CheckBox& chkAutoStartMonitor() const { return *chkAutoStartMonitor_; }
  ui::ComboBox& comboSpeed() const { return *comboSpeed_; }

 private:
  ui::CheckBox* chkStartup_ = nullptr;
  ui::CheckBox* chkMinimize_ = nullptr;
  ui::CheckBox* chkQuarantine_ = nullptr;
  ui::CheckBox* chkDeepScanReg_ = nullptr;
  ui::CheckBox* chkAutoTerminate_ = nullptr;
  ui::CheckBox* chkAutoStartMonitor_ = nullptr;
  ui::ComboBox* comboSpeed_ = nullptr;
};

}  // namespace nexolant
