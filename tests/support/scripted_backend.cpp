#include "support/scripted_backend.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "ui/check_box.h"

namespace nexolant {

ui::Application& ScriptedBackend::App() const {
  if (application_ == nullptr) {
    throw std::logic_error("ScriptedBackend is not attached to an Application");
  }
  return *application_;
}

void ScriptedBackend::RealiseForm(ui::Form& form) {
  realised_.push_back(&form);
}

void ScriptedBackend::DestroyForm(ui::Form& form) {
  std::erase(realised_, &form);
}

void ScriptedBackend::ShowModal(ui::Form& form) {
  const std::size_t record = modals_.size();
  modals_.push_back({form.Name(), form.Caption(), ui::ModalResult::kNone});
  DispatchPosted();
  if (!modalActions_.empty()) {
    ModalAction action = std::move(modalActions_.front());
    modalActions_.pop_front();
    App().RunHandler([&] { action(form); });
  } else {
    FireRunningTimers();
  }
  if (form.ModalResult() == ui::ModalResult::kNone) {
    App().RunHandler([&] { form.Close(); });
  }
  // A close that OnCloseQuery refused would leave the loop waiting for ever.
  if (form.ModalResult() == ui::ModalResult::kNone) {
    form.SetModalResult(ui::ModalResult::kCancel);
  }
  modals_[record].result = form.ModalResult();
}

void ScriptedBackend::Run(ui::Form& mainForm) {
  while (!mainLoopActions_.empty() && !mainForm.Closed()) {
    std::function<void()> action = std::move(mainLoopActions_.front());
    mainLoopActions_.pop_front();
    App().RunHandler(action);
    ProcessMessages();
  }
  if (!mainForm.Closed()) {
    App().RequestClose(mainForm);
  }
}

void ScriptedBackend::StartTimer(ui::Timer& timer) {
  if (TimerState* state = FindTimer(timer)) {
    state->interval = timer.Interval();
    ++state->starts;
    state->running = true;
    // Restarting moves it to the end of the start order.
    const TimerState moved = *state;
    std::erase_if(timers_, [&](const TimerState& each) { return each.timer == &timer; });
    timers_.push_back(moved);
    return;
  }
  timers_.push_back({&timer, timer.Interval(), 1, true});
}

void ScriptedBackend::StopTimer(ui::Timer& timer) {
  if (TimerState* state = FindTimer(timer)) {
    state->running = false;
  }
}

void ScriptedBackend::QueueModal(ModalAction action) {
  modalActions_.push_back(std::move(action));
}

void ScriptedBackend::QueueModalResult(ui::ModalResult result) {
  QueueModal([result](ui::Form& form) { form.SetModalResult(result); });
}

void ScriptedBackend::QueueInMainLoop(std::function<void()> action) {
  mainLoopActions_.push_back(std::move(action));
}

bool ScriptedBackend::IsRunning(const ui::Timer& timer) const {
  const TimerState* state = FindTimer(timer);
  return state != nullptr && state->running;
}

unsigned ScriptedBackend::StartedInterval(const ui::Timer& timer) const {
  const TimerState* state = FindTimer(timer);
  return state == nullptr ? 0 : state->interval;
}

int ScriptedBackend::StartCount(const ui::Timer& timer) const {
  const TimerState* state = FindTimer(timer);
  return state == nullptr ? 0 : state->starts;
}

bool ScriptedBackend::FireTimer(ui::Timer& timer) {
  if (!IsRunning(timer)) {
    return false;
  }
  Dispatch([&timer] { timer.Tick(); });
  return true;
}

void ScriptedBackend::FireRunningTimers() {
  std::vector<ui::Timer*> running;
  for (const TimerState& state : timers_) {
    if (state.running) {
      running.push_back(state.timer);
    }
  }
  // A tick may stop or destroy a later timer; only those still running fire.
  for (ui::Timer* timer : running) {
    if (IsRunning(*timer)) {
      FireTimer(*timer);
    }
  }
}

bool ScriptedBackend::Click(ui::Control& control) {
  const bool accepted = control.AcceptsInput();
  Dispatch([&] { control.Click(); });
  return accepted;
}

bool ScriptedBackend::MouseEnter(ui::Control& control) {
  if (!control.AcceptsInput()) {
    return false;
  }
  Dispatch([&] { control.MouseEnter(); });
  return true;
}

bool ScriptedBackend::MouseLeave(ui::Control& control) {
  if (!control.Hot()) {
    return false;
  }
  Dispatch([&] { control.MouseLeave(); });
  return true;
}

bool ScriptedBackend::SetChecked(ui::Control& checkBox, bool checked) {
  bool current = false;
  if (const auto* box = dynamic_cast<const ui::CheckBox*>(&checkBox)) {
    current = box->Checked();
  } else if (const auto* radio = dynamic_cast<const ui::RadioButton*>(&checkBox)) {
    current = radio->Checked();
  } else {
    throw std::invalid_argument(checkBox.Name() + " is neither a check box nor a radio button");
  }
  return current == checked ? checkBox.AcceptsInput() : Click(checkBox);
}

bool ScriptedBackend::Select(ui::ComboBox& combo, int index) {
  const bool accepted =
      combo.AcceptsInput() && index >= 0 && index < static_cast<int>(combo.Items().size());
  Dispatch([&] { combo.SelectByUser(index); });
  return accepted;
}

bool ScriptedBackend::ClickRow(ui::ListView& list, int index) {
  bool accepted = false;
  App().RunHandler([&] { accepted = list.SelectByUser(index); });
  return accepted && Click(list);
}

bool ScriptedBackend::SelectRows(ui::ListView& list, std::vector<int> rows) {
  bool accepted = false;
  Dispatch([&] { accepted = list.SelectRowsByUser(std::move(rows)); });
  return accepted;
}

bool ScriptedBackend::ToggleRows(ui::ListView& list, std::vector<int> rows) {
  bool accepted = false;
  Dispatch([&] { accepted = list.ToggleByUser(std::move(rows)); });
  return accepted;
}

bool ScriptedBackend::OpenMenu(ui::ListView& list, int choice) {
  QueueMenuChoice(choice);
  bool accepted = false;
  Dispatch([&] { accepted = list.ContextMenuByUser(); });
  return accepted;
}

void ScriptedBackend::Type(ui::Form& form, const std::string& text) {
  for (const char key : text) {
    Dispatch([&] { form.KeyPress(key); });
  }
}

void ScriptedBackend::Minimize() {
  Dispatch([this] { App().HandleMinimized(); });
}

void ScriptedBackend::RestoreFromTaskbar() {
  Dispatch([this] { App().HandleRestored(); });
}

void ScriptedBackend::EndSession() {
  App().RunHandler([this] { App().HandleEndSession(); });
}

ScriptedBackend::TimerState* ScriptedBackend::FindTimer(const ui::Timer& timer) {
  const auto found = std::find_if(timers_.begin(), timers_.end(),
                                  [&](const TimerState& state) { return state.timer == &timer; });
  return found == timers_.end() ? nullptr : &*found;
}

const ScriptedBackend::TimerState* ScriptedBackend::FindTimer(const ui::Timer& timer) const {
  const auto found = std::find_if(timers_.begin(), timers_.end(),
                                  [&](const TimerState& state) { return state.timer == &timer; });
  return found == timers_.end() ? nullptr : &*found;
}

}  // namespace nexolant
