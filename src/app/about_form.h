#pragma once

#include <string>

#include "platform/shell.h"
#include "ui/controls.h"

namespace nexolant {

// The vendor's web-site address, shown and opened as a bare host name.
inline constexpr const char* kWebSiteAddress = "www.nexolant.example";

// The About box. Typing "about" while it shows the copyright notice replaces the notice by
// the credits.
class TAboutForm : public ui::Form {
 public:
  // background: the main window's background picture, copied into the box.
  TAboutForm(platform::Shell& shell, std::string background);

  static const char* NoticeText();
  static const char* CreditsText();

 private:
  void FormKeyPress(char key);
  void HelpBtnClick();
  void Label2Click();

  platform::Shell& shell_;
  std::string typed_;  // the typed-letter buffer, empty in every new box
  bool showsCredits_ = false;
  ui::LinkLabel* Label2_ = nullptr;
  ui::Label* Label3_ = nullptr;
  ui::Button* HelpBtn_ = nullptr;
};

}  // namespace nexolant
