#include "ui/application_backend.h"

#include <cstdio>
#include <stdexcept>

namespace nexolant::ui {

void ApplicationBackend::ShowModal(Form& /*form*/) {
  throw std::logic_error("This program shows no windows");
}

void ApplicationBackend::Run(Form& /*mainForm*/) {
  throw std::logic_error("This program shows no windows");
}

MessageResult ConsoleBackend::ShowMessageBox(const std::string& text, const std::string& caption,
                                             MessageButtons buttons, MessageIcon /*icon*/) {
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  return buttons == MessageButtons::kYesNo ? MessageResult::kYes : MessageResult::kOk;
}

}  // namespace nexolant::ui
