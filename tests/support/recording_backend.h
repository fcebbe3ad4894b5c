#pragma once

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "support/scripted_pump.h"
#include "ui/application.h"
#include "ui/application_backend.h"

namespace nexolant {

struct RecordedMenu {
  std::string owner;  // the control's name
  ui::MenuItems items;
};

struct RecordedMessage {
  std::string text;
  std::string caption;
  ui::MessageButtons buttons;
  ui::MessageIcon icon;
};

// A scripted window system: counts pumps, records message boxes and answers them from a
// queue (the first button when the queue is empty), and runs actions inside chosen pumps.
// Posted actions run where a real queue is dispatched: at every pump (before the input
// scripted for it) and inside every message box.
class RecordingBackend : public ui::ApplicationBackend {
 public:
  void Attach(ui::Application& application) override { application_ = &application; }
  void ProcessMessages() override;
  void WakeForPosted() override { ++wakes_; }
  // Runs what was posted, as the queue's dispatch does.
  void DispatchPosted();
  ui::MessageResult ShowMessageBox(const std::string& text, const std::string& caption,
                                   ui::MessageButtons buttons, ui::MessageIcon icon) override;

  // Menus are recorded and answered from a queue (dismissed when it is empty).
  int ShowPopupMenu(const ui::Control& owner, const ui::MenuItems& items) override;
  void QueueMenuChoice(int choice) { menuChoices_.push_back(choice); }
  const std::vector<RecordedMenu>& Menus() const { return menus_; }

  int PumpCount() const { return pump_.Count(); }
  const std::vector<RecordedMessage>& Messages() const { return messages_; }

  void QueueAnswer(ui::MessageResult answer) { answers_.push_back(answer); }
  // Runs action inside the next message box, before it is answered, as the box's modal loop
  // would dispatch a timer tick.
  void QueueWhileBoxShown(std::function<void()> action) {
    boxActions_.push_back(std::move(action));
  }
  // Runs action inside pump call number pumpNumber, counting from 1 over all calls so far.
  void RunAtPump(int pumpNumber, std::function<void()> action) {
    pump_.RunAtPump(pumpNumber, std::move(action));
  }

 private:
  ScriptedPump pump_;
  std::vector<RecordedMessage> messages_;
  std::deque<ui::MessageResult> answers_;
  std::vector<RecordedMenu> menus_;
  std::deque<int> menuChoices_;
  std::deque<std::function<void()>> boxActions_;

 protected:
  ui::Application* application_ = nullptr;

 private:
  int wakes_ = 0;
};

}  // namespace nexolant
