#pragma once

#include <string>

#include "ui/message_box.h"

namespace nexolant::ui {

// What the Application needs from a window system: the Win32 one, or a scripted one in tests.
class ApplicationBackend {
 public:
  virtual ~ApplicationBackend() = default;

  // Handles pending window messages. May return at once when nothing is due.
  virtual void ProcessMessages() = 0;

  // Shows a modal message box and returns the button that closed it.
  virtual MessageResult ShowMessageBox(const std::string& text, const std::string& caption,
                                       MessageButtons buttons, MessageIcon icon) = 0;
};

// A backend for programs without a window: pumps nothing and answers every box with its
// first button after printing it to standard error.
class ConsoleBackend : public ApplicationBackend {
 public:
  void ProcessMessages() override {}
  MessageResult ShowMessageBox(const std::string& text, const std::string& caption,
                               MessageButtons buttons, MessageIcon icon) override;
};

}  // namespace nexolant::ui
