#pragma once

#include <string>

#include "ui/application.h"
#include "ui/controls.h"
#include "update/reference_update.h"

namespace nexolant {

// The web update dialog: Update downloads a new reference file from url into programFolder,
// then Finish closes the dialog; Cancel closes it before. While the download runs, neither
// the title-bar close button nor Escape closes it.
class TUpdateForm : public ui::Form {
 public:
  TUpdateForm(ui::Application& application, ReferenceUpdateServices services, std::string url,
              platform::Path programFolder);

  static const char* ReadyText();
  static const char* SuccessText();
  static const char* FailureText();

  ui::Label& lblUpdate() const { return *lblUpdate_; }
  ui::Button& btnUpdate() const { return *btnUpdate_; }
  ui::Button& btnCancel() const { return *btnCancel_; }

 private:
  void btnUpdateClick();
  void btnCancelClick();
  void FormCloseQuery(bool& canClose) const;

  ui::Application& application_;
  ReferenceUpdateServices services_;
  std::string url_;
  platform::Path programFolder_;
  bool downloading_ = false;
  bool updated_ = false;  // the new file is in place: the button's next press closes
  ui::Label* lblUpdate_ = nullptr;
  ui::Button* btnUpdate_ = nullptr;
  ui::Button* btnCancel_ = nullptr;
};

}  // namespace nexolant
