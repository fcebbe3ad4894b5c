#include "ui/application.h"

#include <stdexcept>
#include <utility>

#include "platform/raise.h"

namespace nexolant::ui {
namespace {

// Releases a form's windows and leaves the modal state on every way out of ShowModal.
class ModalGuard {
 public:
  ModalGuard(ApplicationBackend& backend, Form& form) : backend_(backend), form_(form) {}
  ModalGuard(const ModalGuard&) = delete;
  ModalGuard& operator=(const ModalGuard&) = delete;
  ~ModalGuard() {
    form_.SetVisible(false);
    backend_.DestroyForm(form_);
  }

 private:
  ApplicationBackend& backend_;
  Form& form_;
};

}  // namespace

std::string ErrorReportText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') {
    return message + ".";
  }
  return message;
}

Application::Application(ApplicationBackend& backend) : backend_(&backend) {
  backend_->Attach(*this);
}

void Application::ShowException(const std::exception& error) {
  ShowMessageBox(ErrorReportText(error.what()), title_, MessageButtons::kOk, MessageIcon::kError);
}

void Application::ReportCurrentException() noexcept {
  try {
    throw;
  } catch (const std::exception& error) {
    ShowException(error);
  } catch (...) {
    ShowMessageBox(ErrorReportText("Unexpected failure"), title_, MessageButtons::kOk,
                   MessageIcon::kError);
  }
}

void Application::RequestClose(Form& form) {
  if (form.Closed() || pendingClose_ == &form) {
    return;
  }
  RunHandler([&form] { form.RaiseCloseRequest(); });
  if (handlerDepth_ > 0 && !form.Modal()) {
    pendingClose_ = &form;
    return;
  }
  RunHandler([&form] { form.Close(); });
}

void Application::ClosePending() noexcept {
  if (Form* form = std::exchange(pendingClose_, nullptr)) {
    RunHandler([form] { form->Close(); });
  }
}

void Application::Post(std::function<void()> action) {
  posted_.push_back(std::move(action));
  try {
    backend_->WakeForPosted();
  } catch (...) {
    // A full queue: the action is dropped rather than run by another's wake-up.
    posted_.pop_back();
    throw;
  }
}

void Application::RunPosted() {
  if (posted_.empty()) {
    return;
  }
  const std::function<void()> action = std::move(posted_.front());
  posted_.pop_front();
  RunHandler(action);
}

void Application::CreateForm(Form& form) {
  RunHandler([&form] { form.RunCreate(); });
}

ModalResult Application::ShowModal(Form& form) {
  CreateForm(form);
  form.modal_ = true;
  form.modalResult_ = ModalResult::kNone;
  backend_->RealiseForm(form);
  {
    const ModalGuard guard(*backend_, form);
    RunHandler([&form] { form.RunShow(); });
    form.SetVisible(true);
    const ModalScope modal(*this);
    backend_->ShowModal(form);
  }
  form.modal_ = false;
  return form.ModalResult();
}

void Application::Run(Form& mainForm) {
  CreateForm(mainForm);
  backend_->RealiseForm(mainForm);
  RunHandler([&mainForm] { mainForm.RunShow(); });
  if (!mainForm.Closed()) {
    mainForm.SetVisible(true);
    backend_->Run(mainForm);
  }
  RunHandler([&mainForm] { mainForm.RunDestroy(); });
  backend_->DestroyForm(mainForm);
}

void Application::SetHintStyle(const HintStyle& style) {
  hintStyle_ = style;
  backend_->ApplyHintStyle(style);
}

void Application::HandleMinimized() {
  Raise(OnMinimize);
}

void Application::HandleRestored() {
  Raise(OnRestore);
}

void Application::HandleEndSession() {
  Raise(OnEndSession);
}

}  // namespace nexolant::ui
