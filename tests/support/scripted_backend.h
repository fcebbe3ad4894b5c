#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "support/recording_backend.h"
#include "ui/application.h"
#include "ui/combo_box.h"
#include "ui/control.h"
#include "ui/form.h"
#include "ui/hint_style.h"
#include "ui/list_view.h"
#include "ui/timer.h"

namespace nexolant {

// A modal form as the scripted backend saw it.
struct RecordedModal {
  std::string formName;
  std::string caption;
  ui::ModalResult result = ui::ModalResult::kNone;
};

// A scripted window system for tests of forms, on top of RecordingBackend (pumps, message
// boxes and actions at chosen pumps):
// - modal forms are recorded; each ShowModal runs the next queued modal action inside the
//   modal loop (by default: every running timer fires once, as if time passed); a form still
//   open after it is closed as by its close box;
// - Run(mainForm) runs the queued main-loop actions, then closes the main form as the user
//   would if it is still open;
// - timers run while started and fire on demand;
// - user input goes through the controls' input methods inside Application::RunHandler, so
//   failures reach the standard error report as on Windows;
// - what is posted runs inside modal loops, and after input or a tick given outside any
//   handler, as the main loop would dispatch it next.
class ScriptedBackend : public RecordingBackend {
 public:
  ui::Application& App() const;

  void RealiseForm(ui::Form& form) override;
  void DestroyForm(ui::Form& form) override;
  void ShowModal(ui::Form& form) override;
  void Run(ui::Form& mainForm) override;
  void StartTimer(ui::Timer& timer) override;
  void StopTimer(ui::Timer& timer) override;
  void ApplyHintStyle(const ui::HintStyle& style) override { hintStyle_ = style; }
  // Restoring shows the window, and with it its taskbar button.
  void RestoreApplication() override {
    ++restoreCount_;
    taskbarButtonVisible_ = true;
  }
  void BringApplicationToFront() override { ++bringToFrontCount_; }
  void ShowTaskbarButton(bool visible) override { taskbarButtonVisible_ = visible; }

  // Modal forms.
  using ModalAction = std::function<void(ui::Form& form)>;
  void QueueModal(ModalAction action);
  // Queues a modal action that ends the loop with result.
  void QueueModalResult(ui::ModalResult result);
  const std::vector<RecordedModal>& Modals() const { return modals_; }
  // The forms realised now, innermost last.
  const std::vector<ui::Form*>& RealisedForms() const { return realised_; }

  // The main loop.
  void QueueInMainLoop(std::function<void()> action);

  // Timers.
  bool IsRunning(const ui::Timer& timer) const;
  // The interval given at the timer's last start, and how often it was started.
  unsigned StartedInterval(const ui::Timer& timer) const;
  int StartCount(const ui::Timer& timer) const;
  // Fires a running timer; false when it is not running.
  bool FireTimer(ui::Timer& timer);
  // Fires each timer running now once, in the order they were started.
  void FireRunningTimers();

  // User input. Each returns whether the control accepted it.
  bool Click(ui::Control& control);
  bool MouseEnter(ui::Control& control);
  bool MouseLeave(ui::Control& control);
  // Ticks or unticks a check box by clicking it when its state differs.
  bool SetChecked(ui::Control& checkBox, bool checked);
  bool Select(ui::ComboBox& combo, int index);
  // Selects a row (-1: none) and clicks the list, as a mouse click on it does.
  bool ClickRow(ui::ListView& list, int index);
  // Selects several rows, as Ctrl or Shift clicks do.
  bool SelectRows(ui::ListView& list, std::vector<int> rows);
  // Clicks the check boxes of rows (one row), or presses Space on them (several).
  bool ToggleRows(ui::ListView& list, std::vector<int> rows);
  // Opens the list's menu and chooses the item at choice (kNoMenuChoice: dismisses it).
  bool OpenMenu(ui::ListView& list, int choice);
  // Types each character into the form.
  void Type(ui::Form& form, const std::string& text);
  void Minimize();
  void RestoreFromTaskbar();
  // The user's session ends (logoff or shutdown).
  void EndSession();

  // The application window.
  const ui::HintStyle& AppliedHintStyle() const { return hintStyle_; }
  int RestoreCount() const { return restoreCount_; }
  int BringToFrontCount() const { return bringToFrontCount_; }
  bool TaskbarButtonVisible() const { return taskbarButtonVisible_; }

 private:
  struct TimerState {
    ui::Timer* timer;
    unsigned interval;
    int starts;
    bool running;
  };
  TimerState* FindTimer(const ui::Timer& timer);
  const TimerState* FindTimer(const ui::Timer& timer) const;
  // Runs event as the window system dispatches one; back in the main loop, the queue follows.
  template <class Event>
  void Dispatch(Event&& event) {
    App().RunHandler(std::forward<Event>(event));
    if (!App().InHandler()) {
      DispatchPosted();
    }
  }

  std::vector<ui::Form*> realised_;
  std::deque<ModalAction> modalActions_;
  std::vector<RecordedModal> modals_;
  std::deque<std::function<void()>> mainLoopActions_;
  std::vector<TimerState> timers_;
  ui::HintStyle hintStyle_;
  int restoreCount_ = 0;
  int bringToFrontCount_ = 0;
  bool taskbarButtonVisible_ = true;
};

}  // namespace nexolant
