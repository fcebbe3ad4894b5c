#pragma once

#include <exception>
#include <functional>
#include <string>
#include <utility>

#include "platform/message_pump.h"
#include "platform/warning_sink.h"
#include "ui/application_backend.h"
#include "ui/form.h"
#include "ui/hint_style.h"

namespace nexolant::ui {

// The one application object: message pumping, forms and their lifecycle, message boxes,
// the standard error report, the title and the application window's events. Everything runs
// on one thread; long loops call ProcessMessages().
class Application final : public platform::MessagePump, public platform::WarningSink {
 public:
  explicit Application(ApplicationBackend& backend);
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  ApplicationBackend& Backend() const { return *backend_; }

  void ProcessMessages() override { backend_->ProcessMessages(); }

  MessageResult ShowMessageBox(const std::string& text, const std::string& caption,
                               MessageButtons buttons, MessageIcon icon) {
    return backend_->ShowMessageBox(text, caption, buttons, icon);
  }

  // A box with the caption, an OK button and the exclamation icon.
  void ShowWarning(const std::string& text, const std::string& caption) override {
    ShowMessageBox(text, caption, MessageButtons::kOk, MessageIcon::kExclamation);
  }

  // The report for a failure that escaped an event handler: the failure's text under the
  // application title, with the error icon and an OK button.
  void ShowException(const std::exception& error);

  // Runs an event handler; a failure that escapes it goes to the standard error report.
  // Returns whether the handler ended normally. Every event dispatched from the window
  // system runs through here.
  template <class Handler>
  bool RunHandler(Handler&& handler) noexcept {
    try {
      std::forward<Handler>(handler)();
      return true;
    } catch (const std::exception& error) {
      ShowException(error);
    } catch (...) {
      ShowUnknownException();
    }
    return false;
  }

  // Runs the form's OnCreate (once) through RunHandler. Run and ShowModal do it when it has
  // not been done.
  void CreateForm(Form& form);
  // Realises the form, runs OnShow (first show only), shows it and runs a modal loop until
  // its ModalResult is set; then hides it, releases its windows and returns the result.
  ModalResult ShowModal(Form& form);
  // Realises and shows the main form, runs OnShow, runs the message loop until the form is
  // closed, then runs OnDestroy and releases its windows.
  void Run(Form& mainForm);

  const std::string& Title() const { return title_; }
  void SetTitle(std::string title) { title_ = std::move(title); }

  const HintStyle& GetHintStyle() const { return hintStyle_; }
  void SetHintStyle(const HintStyle& style);

  // Application events: raised by the backend (through HandleMinimized and HandleRestored)
  // after the application was minimized or restored.
  std::function<void()> OnMinimize;
  std::function<void()> OnRestore;
  void HandleMinimized();
  void HandleRestored();

  // The application window.
  void Restore() { backend_->RestoreApplication(); }
  void BringToFront() { backend_->BringApplicationToFront(); }
  void ShowTaskbarButton(bool visible) { backend_->ShowTaskbarButton(visible); }

 private:
  void ShowUnknownException();

  ApplicationBackend* backend_;
  std::string title_ = "Nexolant";
  HintStyle hintStyle_;
};

// The text of the standard error report: "." is appended when the last character sorts
// after ".".
std::string ErrorReportText(const std::string& message);

}  // namespace nexolant::ui
