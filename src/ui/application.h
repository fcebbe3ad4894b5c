#pragma once

#include <exception>
#include <string>

#include "ui/application_backend.h"

namespace nexolant::ui {

// The one application object: message pumping, message boxes, the standard error report
// and the title. Everything runs on one thread; long loops call ProcessMessages().
class Application {
 public:
  explicit Application(ApplicationBackend& backend) : backend_(&backend) {}

  void ProcessMessages() { backend_->ProcessMessages(); }

  MessageResult MessageBox(const std::string& text, const std::string& caption,
                           MessageButtons buttons, MessageIcon icon) {
    return backend_->ShowMessageBox(text, caption, buttons, icon);
  }

  // The report for a failure that escaped an event handler: the failure's text under the
  // application title, with the error icon and an OK button.
  void ShowException(const std::exception& error);

  const std::string& Title() const { return title_; }
  void SetTitle(std::string title) { title_ = std::move(title); }

 private:
  ApplicationBackend* backend_;
  std::string title_ = "Nexolant";
};

// The text of the standard error report: "." is appended when the last character sorts
// after ".".
std::string ErrorReportText(const std::string& message);

}  // namespace nexolant::ui
