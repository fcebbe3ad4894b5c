#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/profile_strings.h"
#include "platform/registry.h"
#include "settings/form_storage.h"
#include "settings/options.h"
#include "ui/application.h"
#include "ui/check_box.h"
#include "ui/combo_box.h"
#include "ui/notebook.h"

namespace nexolant {

// What the Settings page uses: the stored options' file service, the registry for the Run
// value, the executable's path, and the standard error report.
struct SettingsServices {
  platform::ProfileStrings& profileStrings;
  platform::Registry& registry;
  platform::FileSystem& files;
  ui::Application& application;
};

// Page 4: the program's options. Six of them, and the left edge of one box, are kept in the
// [Settings] section of the program's INI file; "Start with Windows" is the Run value itself.
class SettingsPage : public Options {
 public:
  SettingsPage(ui::NotebookPage& page, SettingsServices services);

  bool MinimizeToTray() const override { return chkMinimize_->Checked(); }
  bool QuarantineBeforeRemoval() const override { return chkQuarantine_->Checked(); }
  bool DeepScanRegistry() const override { return chkDeepScanReg_->Checked(); }
  bool AutoTerminate() const override { return chkAutoTerminate_->Checked(); }
  bool AutoStartMonitor() const override { return chkAutoStartMonitor_->Checked(); }

  // The file the options are kept in; set before the first show.
  void SetStorageFileName(platform::Path fileName) {
    FormStorage_.SetIniFileName(std::move(fileName));
  }

  // The window's first show restores the stored options; a close (or, without one, the
  // destruction of a window that was shown) saves them, once. A failure goes to the standard
  // error report and the show or the close goes on.
  void RestoreOptions();
  void SaveOptions();

  // The selected item of the interval list. A selection outside the list (a stored value out
  // of range) goes back to the default item first.
  int ValidIntervalItem();
  // The user picked an item of the interval list.
  std::function<void(int item)> OnIntervalChange;

  // At the first show, after the options: the box shows whether the Run value exists. Sets
  // the box without its click handler, so that a start never changes the value.
  void ShowStartupEntry();
  // The box's click handler: ticking adds the Run value, unticking removes it.
  void chkStartupClick();

  ui::CheckBox& chkStartup() const { return *chkStartup_; }
  ui::CheckBox& chkMinimize() const { return *chkMinimize_; }
  ui::CheckBox& chkQuarantine() const { return *chkQuarantine_; }
  ui::CheckBox& chkDeepScanReg() const { return *chkDeepScanReg_; }
  ui::CheckBox& chkAutoTerminate() const { return *chkAutoTerminate_; }
  ui::CheckBox& chkAutoStartMonitor() const { return *chkAutoStartMonitor_; }
  ui::ComboBox& comboSpeed() const { return *comboSpeed_; }

 private:
  // Builds the page's controls and returns the stored properties, in the order they are
  // written. Runs while FormStorage_, declared last, is made.
  std::vector<StoredProperty> LayOut(ui::NotebookPage& page);

  SettingsServices services_;
  ui::CheckBox* chkStartup_ = nullptr;
  ui::CheckBox* chkMinimize_ = nullptr;
  ui::CheckBox* chkQuarantine_ = nullptr;
  ui::CheckBox* chkDeepScanReg_ = nullptr;
  ui::CheckBox* chkAutoTerminate_ = nullptr;
  ui::CheckBox* chkAutoStartMonitor_ = nullptr;
  ui::ComboBox* comboSpeed_ = nullptr;
  TFormStorage FormStorage_;
};

}  // namespace nexolant
