#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "ini/big_ini_file.h"
#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/string_list.h"
#include "quarantine/quarantine_intake.h"
#include "reference/signature_source.h"
#include "settings/usage_statistics.h"
#include "ui/application.h"
#include "ui/button.h"
#include "ui/exclusive_actions.h"
#include "ui/label.h"
#include "ui/list_view.h"
#include "ui/notebook.h"

namespace nexolant {

struct QuarantineServices {
  platform::FileSystem& files;
  const platform::Locale& locale;
  ui::Application& application;
  std::string programFolder;  // with a trailing backslash
};

// What the page reaches of the rest of the window.
struct QuarantinePeers {
  UsageStatistics& statistics;
  const SignatureSource& signatures;
  ui::ExclusiveActions& actions;  // Restore and Empty are members
};

// Page 3: the files in the quarantine folder, listed from the index and kept sorted by name,
// with Restore and Empty Quarantine; and the intake through which a repair quarantines files.
// A row's columns are the name, the description and the origin folder.
class QuarantinePage : public QuarantineIntake {
 public:
  QuarantinePage(ui::NotebookPage& page, QuarantineServices services, QuarantinePeers peers);

  ui::Label& lblQuarantine() const { return *lblQuarantine_; }
  ui::ListView& Quarantine() const { return *Quarantine_; }
  ui::Button& btnRestore() const { return *btnRestore_; }
  ui::Button& btnEmpty() const { return *btnEmpty_; }

  // The list from the index, at start-up; the signature tables must be loaded.
  void Rebuild();

  // Handlers.
  void QuarantineClick();
  void btnRestoreClick();
  void btnEmptyClick();

  void BeginIntake() override;
  IntakeResult TakeIn(const std::string& name, const std::string& folder,
                      const std::string& description) override;
  void EndIntake() override;
  void ShowRepairSummary() override;

 private:
  IniServices Ini() const;
  std::string IndexPath() const;
  std::string FolderPath() const;  // without a trailing backslash
  std::string QuarantinedPath(const std::string& name) const;
  std::string Description(const std::string& name) const;
  void Restore(int index);
  void Empty();
  // Deletes a quarantined file, read-only or not; true when it is gone.
  bool DeleteQuarantined(const std::string& name);
  // Removes one entry per name from the index; the index goes when its section is left empty.
  void ForgetEntries(const StringList& names);
  // The summary line: lead, the number of rows and " object(s) in quarantine.".
  void ShowCount(std::string_view lead);
  // After the last row went: no folder, no count, the "no objects" summary.
  void ShowEmptied();
  void EnableEmpty();

  QuarantineServices services_;
  QuarantinePeers peers_;
  ui::Label* lblQuarantine_ = nullptr;
  ui::ListView* Quarantine_ = nullptr;
  ui::Button* btnRestore_ = nullptr;
  ui::Button* btnEmpty_ = nullptr;
  std::unique_ptr<TBigIniFile> intake_;
  bool intakeFailed_ = false;  // the index could not be written during this repair
};

}  // namespace nexolant
