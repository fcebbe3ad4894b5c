#pragma once

#include <string_view>

#include "quarantine/quarantine_store.h"
#include "ui/application.h"
#include "ui/button.h"
#include "ui/deferred_actions.h"
#include "ui/exclusive_actions.h"
#include "ui/label.h"
#include "ui/list_view.h"
#include "ui/notebook.h"

namespace nexolant {

// Page 3: the quarantine's entries in the store's order, with Restore and Empty Quarantine.
// A row's columns are the name, the description and the origin folder.
class QuarantinePage {
 public:
  // Restore and Empty join actions, which keeps them from running inside other actions; their
  // clicks during a monitor refresh wait in deferred for its end.
  QuarantinePage(ui::NotebookPage& page, QuarantineStore& store, const platform::Locale& locale,
                 ui::Application& application, ui::ExclusiveActions& actions,
                 ui::DeferredActions& deferred);

  ui::Label& lblQuarantine() const { return *lblQuarantine_; }
  ui::ListView& Quarantine() const { return *Quarantine_; }
  ui::Button& btnRestore() const { return *btnRestore_; }
  ui::Button& btnEmpty() const { return *btnEmpty_; }

  // The list from the index, at start-up.
  void Rebuild();
  // The list from the index as it is now, when the page is shown: another process may have
  // changed it.
  void Refresh();
  // After a repair: the number of entries, and Empty Quarantine usable when there are any.
  void ShowRepairSummary();

  // Handlers.
  void QuarantineClick();
  void btnRestoreClick();
  void btnEmptyClick();

 private:
  // The summary line: lead, the number of rows and " object(s) in quarantine.".
  void ShowCount(std::string_view lead);
  void ShowEmptied();
  void EnableEmpty();

  QuarantineStore& store_;
  const platform::Locale& locale_;
  ui::Application& application_;
  ui::ExclusiveActions& actions_;
  ui::DeferredActions& deferred_;
  ui::Label* lblQuarantine_ = nullptr;
  ui::ListView* Quarantine_ = nullptr;
  ui::Button* btnRestore_ = nullptr;
  ui::Button* btnEmpty_ = nullptr;
};

}  // namespace nexolant
