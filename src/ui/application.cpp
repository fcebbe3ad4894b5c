#include "ui/application.h"

#include <cstdio>

namespace nexolant::ui {

std::string ErrorReportText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') {
    return message + ".";
  }
  return message;
}

void Application::ShowException(const std::exception& error) {
  MessageBox(ErrorReportText(error.what()), title_, MessageButtons::kOk, MessageIcon::kError);
}

MessageResult ConsoleBackend::ShowMessageBox(const std::string& text, const std::string& caption,
                                             MessageButtons buttons, MessageIcon /*icon*/) {
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  return buttons == MessageButtons::kYesNo ? MessageResult::kYes : MessageResult::kOk;
}

}  // namespace nexolant::ui
