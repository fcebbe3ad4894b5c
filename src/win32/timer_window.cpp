#include "win32/timer_window.h"

namespace nexolant::win32 {

TimerWindow::TimerWindow(ui::Application& application) : Window(application) {
  Create("NexolantTimers", 0, 0, "", 0, 0, 0, 0, HWND_MESSAGE);
}

void TimerWindow::Start(ui::Timer& timer) {
  Stop(timer);
  const UINT_PTR id = nextId_++;
  timers_[id] = &timer;
  ids_[&timer] = id;
  SetTimer(Handle(), id, timer.Interval(), nullptr);
}

void TimerWindow::Stop(ui::Timer& timer) {
  const auto found = ids_.find(&timer);
  if (found == ids_.end()) {
    return;
  }
  KillTimer(Handle(), found->second);
  timers_.erase(found->second);
  ids_.erase(found);
}

LRESULT TimerWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) {
    // The timer may be stopped or gone by the time its message arrives.
    const auto found = timers_.find(wParam);
    if (found != timers_.end()) {
      found->second->Tick();
    }
    return 0;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace nexolant::win32
