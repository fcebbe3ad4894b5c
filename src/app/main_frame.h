#pragma once

#include <array>

#include "app/page_table.h"
#include "ui/button.h"
#include "ui/form.h"
#include "ui/graphic_controls.h"
#include "ui/label.h"
#include "ui/notebook.h"
#include "ui/speed_button.h"

namespace nexolant {

// The hint line's text while the mouse is over no image button.
inline constexpr const char* kDefaultHint =
    "Hover the mouse over right buttons to see description here";

// The main window's frame, laid out on the window: the background, the page area with its
// title strip and hint line, the column of page buttons on the left and the image buttons on
// the right. The pages themselves go into Notebook().
class MainFrame {
 public:
  explicit MainFrame(ui::Form& form);
  MainFrame(const MainFrame&) = delete;
  MainFrame& operator=(const MainFrame&) = delete;

  ui::Image& Image() const { return *Image_; }
  ui::Notebook& Notebook() const { return *Notebook_; }
  ui::Label& lblStatus() const { return *lblStatus_; }
  ui::Label& lblHint() const { return *lblHint_; }
  ui::SpeedButton& StatusBtn() const { return *StatusBtn_; }
  ui::SpeedButton& ScanBtn() const { return *ScanBtn_; }
  ui::SpeedButton& ActiveBtn() const { return *ActiveBtn_; }
  ui::SpeedButton& SettingsBtn() const { return *SettingsBtn_; }
  ui::SpeedButton& QuarantineBtn() const { return *QuarantineBtn_; }
  ui::SpeedButton& HelpBtn() const { return *HelpBtn_; }
  ui::ImageButton& btnScan() const { return *btnScan_; }
  ui::ImageButton& btnSettings() const { return *btnSettings_; }
  ui::ImageButton& btnQuarantine() const { return *btnQuarantine_; }
  ui::ImageButton& btnUpdate() const { return *btnUpdate_; }
  ui::ImageButton& btnInfo() const { return *btnInfo_; }
  ui::ImageButton& btnHelp() const { return *btnHelp_; }
  // The controls a scan locks, in the order they are locked.
  const std::array<ui::Control*, 10>& NavigationControls() const { return navigationControls_; }

 private:
  void BuildFrame(ui::Form& form);
  void BuildSideButtons(ui::Form& form);
  void BuildImageButtons(ui::Form& form);

  ui::Image* Image_ = nullptr;
  ui::Notebook* Notebook_ = nullptr;
  ui::Label* lblStatus_ = nullptr;
  ui::Label* lblHint_ = nullptr;
  ui::SpeedButton* StatusBtn_ = nullptr;
  ui::SpeedButton* ScanBtn_ = nullptr;
  ui::SpeedButton* ActiveBtn_ = nullptr;
  ui::SpeedButton* SettingsBtn_ = nullptr;
  ui::SpeedButton* QuarantineBtn_ = nullptr;
  ui::SpeedButton* HelpBtn_ = nullptr;
  ui::ImageButton* btnScan_ = nullptr;
  ui::ImageButton* btnSettings_ = nullptr;
  ui::ImageButton* btnQuarantine_ = nullptr;
  ui::ImageButton* btnUpdate_ = nullptr;
  ui::ImageButton* btnInfo_ = nullptr;
  ui::ImageButton* btnHelp_ = nullptr;
  std::array<ui::Control*, 10> navigationControls_{};
};

}  // namespace nexolant
