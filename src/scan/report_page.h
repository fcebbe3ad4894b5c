#pragma once

#include "ui/button.h"
#include "ui/list_view.h"
#include "ui/notebook.h"

namespace nexolant {

// Page 7: the rows a scan found, and Repair and Cancel.
class ReportPage {
 public:
  explicit ReportPage(ui::NotebookPage& page);

  ui::ListView& Report() const { return *Report_; }
  ui::Button& btnCancel() const { return *btnCancel_; }
  ui::Button& btnRepair() const { return *btnRepair_; }

 private:
  ui::ListView* Report_ = nullptr;
  ui::Button* btnCancel_ = nullptr;
  ui::Button* btnRepair_ = nullptr;
};

}  // namespace nexolant
