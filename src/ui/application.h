#pragma once

#include <deque>
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
  // The windows show the model's state now, not only at the next dispatch.
  void UpdateWindows() { backend_->UpdateWindows(); }

  MessageResult ShowMessageBox(const std::string& text, const std::string& caption,
                               MessageButtons buttons, MessageIcon icon) {
    const ModalScope modal(*this);
    return backend_->ShowMessageBox(text, caption, buttons, icon);
  }

  // The index of the chosen item, or kNoMenuChoice.
  int ShowPopupMenu(const Control& owner, const MenuItems& items) {
    const ModalScope modal(*this);
    return backend_->ShowPopupMenu(owner, items);
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
    const HandlerScope scope(*this);
    try {
      std::forward<Handler>(handler)();
      return true;
    } catch (...) {
      ReportCurrentException();
    }
    return false;
  }

  // The standard error report for the exception being handled (inside a catch block).
  void ReportCurrentException() noexcept;

  // Whether an event handler is running.
  bool InHandler() const { return handlerDepth_ > 0; }

  // Keeps action for the window system's queue: it runs as a handler of its own when the
  // queue is next dispatched (by the main loop, a modal loop or a pump), after the messages
  // already waiting and in the order posted.
  void Post(std::function<void()> action);
  // Runs the first posted action, if any; a backend calls it once for each wake-up it was
  // asked for.
  void RunPosted();

  // Whether a modal window is open: a message box, a modal form, or a system dialog shown
  // inside a ModalScope. Input kept for later is not handed to the windows behind it.
  bool ModalOpen() const { return modalDepth_ > 0; }
  class ModalScope {
   public:
    explicit ModalScope(Application& application) : application_(application) {
      ++application_.modalDepth_;
    }
    ~ModalScope() { --application_.modalDepth_; }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

   private:
    Application& application_;
  };

  // Asks a form to close, as its close box does: OnCloseRequest runs at once, then Close().
  // A modeless form asked while an event handler runs (from a pump inside it) closes only
  // when the outermost handler has returned, so that the handler never works on a form that
  // is going away.
  void RequestClose(Form& form);

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

  // Raised by the backend (through HandleEndSession) when the user's session ends: the
  // process is ended without its main form being closed.
  std::function<void()> OnEndSession;
  void HandleEndSession();

  // The application window.
  void Restore() { backend_->RestoreApplication(); }
  void BringToFront() { backend_->BringApplicationToFront(); }
  void ShowTaskbarButton(bool visible) { backend_->ShowTaskbarButton(visible); }

 private:
  // Counts the handlers running, and carries out a deferred close when the last one returns.
  class HandlerScope {
   public:
    explicit HandlerScope(Application& application) : application_(application) {
      ++application_.handlerDepth_;
    }
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;
    ~HandlerScope() {
      if (--application_.handlerDepth_ == 0) {
        application_.ClosePending();
      }
    }

   private:
    Application& application_;
  };

  void ClosePending() noexcept;

  ApplicationBackend* backend_;
  std::string title_ = "Nexolant";
  HintStyle hintStyle_;
  int handlerDepth_ = 0;
  int modalDepth_ = 0;
  Form* pendingClose_ = nullptr;
  std::deque<std::function<void()>> posted_;
};

// The text of the standard error report: "." is appended when the last character sorts
// after ".".
std::string ErrorReportText(const std::string& message);

}  // namespace nexolant::ui
