#pragma once

#include <array>
#include <functional>
#include <string>
#include <utility>

#include "platform/file_system.h"
#include "platform/folder_lock.h"
#include "platform/profile_strings.h"
#include "platform/registry.h"
#include "settings/form_storage.h"
#include "settings/options.h"
#include "ui/application.h"
#include "ui/check_box.h"
#include "ui/combo_box.h"
#include "ui/label.h"
#include "ui/notebook.h"

namespace nexolant {

// What the Settings page uses: the stored options' file service and the lock the file is written
// under, the registry for the Run value, the executable's path, and the standard error report.
struct SettingsServices {
  platform::ProfileStrings& profileStrings;
  platform::FolderLock& folderLock;
  platform::Registry& registry;
  platform::FileSystem& files;
  ui::Application& application;
};

// Page 4: shows the options and writes the user's changes to them. Six of them, and the left
// edge of one box, are kept in the [Settings] section of the program's INI file; "Start with
// Windows" is the Run value itself.
class SettingsPage {
 public:
  SettingsPage(ui::NotebookPage& page, Options& options, SettingsServices services);

  // The file the options are kept in; set before the first show.
  void SetStorageFileName(platform::Path fileName) {
    FormStorage_.SetIniFileName(std::move(fileName));
  }

  // The window's first show restores the stored options; a close (or, without one, the
  // destruction of a window that was shown) saves them, once. A failure goes to the standard
  // error report and the show or the close goes on.
  void RestoreOptions();
  void SaveOptions();

  // The option's control shows its value.
  void ShowOption(Option option);

  // At the first show, after the options: the box shows whether the Run value exists. Sets
  // the option without the box's click handler, so that a start never changes the value.
  void ShowStartupEntry();
  // The box's click handler: ticking adds the Run value, unticking removes it.
  void chkStartupClick();

  ui::CheckBox& chkStartup() const { return *chkStartup_; }
  ui::CheckBox& chkMinimize() const { return *chkMinimize_; }
  ui::CheckBox& chkQuarantine() const { return *chkQuarantine_; }
  ui::CheckBox& chkDeepScanReg() const { return *chkDeepScanReg_; }
  ui::CheckBox& chkScanStartup() const { return *chkScanStartup_; }
  ui::CheckBox& chkKeepLog() const { return *chkKeepLog_; }
  ui::CheckBox& chkAutoTerminate() const { return *chkAutoTerminate_; }
  ui::CheckBox& chkAutoStartMonitor() const { return *chkAutoStartMonitor_; }
  ui::ComboBox& comboSpeed() const { return *comboSpeed_; }
  ui::LinkLabel& lblIgnoredObjects() const { return *lblIgnoredObjects_; }

  // The user asked for the objects kept out of every scan.
  std::function<void()> OnIgnoredObjectsClick;

 private:
  void LayOut(ui::NotebookPage& page);
  void BoxClick(Option option);

  struct OptionBox {
    Option option;
    ui::CheckBox* box;
  };

  Options& options_;
  SettingsServices services_;
  ui::CheckBox* chkStartup_ = nullptr;
  ui::CheckBox* chkMinimize_ = nullptr;
  ui::CheckBox* chkQuarantine_ = nullptr;
  ui::CheckBox* chkDeepScanReg_ = nullptr;
  ui::CheckBox* chkScanStartup_ = nullptr;
  ui::CheckBox* chkKeepLog_ = nullptr;
  ui::CheckBox* chkAutoTerminate_ = nullptr;
  ui::CheckBox* chkAutoStartMonitor_ = nullptr;
  ui::ComboBox* comboSpeed_ = nullptr;
  ui::LinkLabel* lblIgnoredObjects_ = nullptr;
  // Each box and the option it shows.
  std::array<OptionBox, 8> boxes_{};
  TFormStorage FormStorage_;
};

}  // namespace nexolant
