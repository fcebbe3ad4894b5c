#pragma once

#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/label.h"
#include "ui/notebook.h"

namespace nexolant {

// Page 1: the scan mode, the registry option and the Next button that starts a scan.
class ScanNowPage {
 public:
  explicit ScanNowPage(ui::NotebookPage& page);

  ui::RadioButton& chkQuick() const { return *chkQuick_; }
  ui::RadioButton& chkComplete() const { return *chkComplete_; }
  ui::RadioButton& chkSelect() const { return *chkSelect_; }
  ui::LinkLabel& lblSelect() const { return *lblSelect_; }
  ui::CheckBox& chkRegScan() const { return *chkRegScan_; }
  ui::Button& btnNext() const { return *btnNext_; }

 private:
  ui::RadioButton* chkQuick_ = nullptr;
  ui::RadioButton* chkComplete_ = nullptr;
  ui::RadioButton* chkSelect_ = nullptr;
  ui::LinkLabel* lblSelect_ = nullptr;
  ui::CheckBox* chkRegScan_ = nullptr;
  ui::Button* btnNext_ = nullptr;
};

}  // namespace nexolant
