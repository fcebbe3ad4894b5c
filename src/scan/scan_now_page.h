#pragma once

#include <functional>

#include "scan/scan_state.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/label.h"
#include "ui/notebook.h"

namespace nexolant {

// What the user chose for the next scan; the page shows it and writes the user's clicks.
struct ScanChoice {
  ScanMode mode = ScanMode::kQuick;
  bool scanRegistry = true;
};

// Page 1: the scan mode, the registry option and the Next button that starts a scan.
class ScanNowPage {
 public:
  explicit ScanNowPage(ui::NotebookPage& page);

  ScanMode Mode() const { return choice_.mode; }
  bool ScanRegistry() const { return choice_.scanRegistry; }

  // Next was pressed.
  std::function<void()> OnNextClick;
  // The Select link was pressed; the chosen-folder mode is ticked by then.
  std::function<void()> OnSelectClick;

  ui::RadioButton& chkQuick() const { return *chkQuick_; }
  ui::RadioButton& chkComplete() const { return *chkComplete_; }
  ui::RadioButton& chkSelect() const { return *chkSelect_; }
  ui::LinkLabel& lblSelect() const { return *lblSelect_; }
  ui::CheckBox& chkRegScan() const { return *chkRegScan_; }
  ui::Button& btnNext() const { return *btnNext_; }

 private:
  void Choose(ScanMode mode) { choice_.mode = mode; }

  ScanChoice choice_;
  ui::RadioButton* chkQuick_ = nullptr;
  ui::RadioButton* chkComplete_ = nullptr;
  ui::RadioButton* chkSelect_ = nullptr;
  ui::LinkLabel* lblSelect_ = nullptr;
  ui::CheckBox* chkRegScan_ = nullptr;
  ui::Button* btnNext_ = nullptr;
};

}  // namespace nexolant
