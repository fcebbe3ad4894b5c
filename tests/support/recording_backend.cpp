#include "support/recording_backend.h"

#include <utility>

namespace nexolant {

void RecordingBackend::ProcessMessages() {
  const int pump = ++pumpCount_;
  // Taken out before running, so that pumps nested in an action do not run it again.
  std::vector<std::function<void()>> due;
  const auto [first, last] = actions_.equal_range(pump);
  for (auto it = first; it != last; ++it) {
    due.push_back(std::move(it->second));
  }
  actions_.erase(first, last);
  for (auto& action : due) {
    action();
  }
}

ui::MessageResult RecordingBackend::ShowMessageBox(const std::string& text,
                                                   const std::string& caption,
                                                   ui::MessageButtons buttons,
                                                   ui::MessageIcon icon) {
  messages_.push_back({text, caption, buttons, icon});
  if (!answers_.empty()) {
    const ui::MessageResult answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  return buttons == ui::MessageButtons::kYesNo ? ui::MessageResult::kYes : ui::MessageResult::kOk;
}

void RecordingBackend::RunAtPump(int pumpNumber, std::function<void()> action) {
  actions_.emplace(pumpNumber, std::move(action));
}

}  // namespace nexolant
