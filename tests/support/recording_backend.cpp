#include "support/recording_backend.h"

#include "ui/control.h"

namespace nexolant {

void RecordingBackend::ProcessMessages() {
  DispatchPosted();
  pump_.ProcessMessages();
}

void RecordingBackend::DispatchPosted() {
  while (wakes_ > 0 && application_ != nullptr) {
    --wakes_;
    application_->RunPosted();
  }
}

ui::MessageResult RecordingBackend::ShowMessageBox(const std::string& text,
                                                   const std::string& caption,
                                                   ui::MessageButtons buttons,
                                                   ui::MessageIcon icon) {
  messages_.push_back({text, caption, buttons, icon});
  DispatchPosted();
  if (!boxActions_.empty()) {
    const std::function<void()> action = std::move(boxActions_.front());
    boxActions_.pop_front();
    action();
  }
  if (!answers_.empty()) {
    const ui::MessageResult answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  return buttons == ui::MessageButtons::kYesNo ? ui::MessageResult::kYes : ui::MessageResult::kOk;
}

int RecordingBackend::ShowPopupMenu(const ui::Control& owner, const ui::MenuItems& items) {
  menus_.push_back({owner.Name(), items});
  if (menuChoices_.empty()) {
    return ui::kNoMenuChoice;
  }
  const int choice = menuChoices_.front();
  menuChoices_.pop_front();
  return choice;
}

}  // namespace nexolant
