#pragma once

#include <string>

#include "ui/application.h"
#include "ui/controls.h"
#include "update/installed_versions.h"
#include "update/reference_update.h"

namespace nexolant {

// The web update dialog: Update downloads a new reference file from url into programFolder,
// then Finish closes the dialog; Cancel closes it before. While the download runs, neither
// the title-bar close button nor Escape closes it. A label of its own shows the installed
// file's version and date; while the file the last update replaced is kept, "Undo last update"
// puts it back, and Finish closes the dialog after that too.
class TUpdateForm : public ui::Form {
 public:
  TUpdateForm(ui::Application& application, ReferenceUpdateServices services, std::string url,
              platform::Path programFolder);

  static const char* ReadyText();
  static const char* SuccessText();
  static const char* FailureText();
  static const char* UndoneText();

  ui::Label& lblUpdate() const { return *lblUpdate_; }
  ui::Button& btnUpdate() const { return *btnUpdate_; }
  ui::Button& btnCancel() const { return *btnCancel_; }
  ui::Label& lblVersion() const { return *lblVersion_; }
  ui::Button& btnUndo() const { return *btnUndo_; }

 private:
  void btnUpdateClick();
  void btnCancelClick();
  void btnUndoClick();
  void FormCloseQuery(bool& canClose) const;
  // Reads the record of what is installed and shows it.
  void ShowVersions();
  // The new file is in place: the restart is asked for and the next press of Update closes.
  void ShowDone(const char* text, const char* caption);

  ui::Application& application_;
  ReferenceUpdateServices services_;
  std::string url_;
  platform::Path programFolder_;
  bool downloading_ = false;
  bool updated_ = false;  // the new file is in place: the button's next press closes
  InstalledVersions versions_;
  ui::Label* lblUpdate_ = nullptr;
  ui::Button* btnUpdate_ = nullptr;
  ui::Button* btnCancel_ = nullptr;
  ui::Label* lblVersion_ = nullptr;
  ui::Button* btnUndo_ = nullptr;
};

}  // namespace nexolant
