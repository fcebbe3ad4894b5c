#pragma once

#include "platform/locale.h"
#include "ui/button.h"
#include "ui/label.h"
#include "ui/list_view.h"
#include "ui/notebook.h"

namespace nexolant {

// Page 3: the files in the quarantine, with Restore and Empty Quarantine. The locale orders
// the list, which keeps itself sorted by name.
class QuarantinePage {
 public:
  QuarantinePage(ui::NotebookPage& page, const platform::Locale& locale);

  ui::Label& lblQuarantine() const { return *lblQuarantine_; }
  ui::ListView& Quarantine() const { return *Quarantine_; }
  ui::Button& btnRestore() const { return *btnRestore_; }
  ui::Button& btnEmpty() const { return *btnEmpty_; }

 private:
  ui::Label* lblQuarantine_ = nullptr;
  ui::ListView* Quarantine_ = nullptr;
  ui::Button* btnRestore_ = nullptr;
  ui::Button* btnEmpty_ = nullptr;
};

}  // namespace nexolant
