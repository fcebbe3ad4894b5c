#pragma once

#include <windows.h>

#include <map>

#include "ui/application.h"
#include "ui/timer.h"
#include "win32/window.h"

namespace nexolant::win32 {

// A message-only window that carries the window timers of the model's Timers and ticks
// them inside the window procedure's handler guard.
class TimerWindow : public Window {
 public:
  explicit TimerWindow(ui::Application& application);

  void Start(ui::Timer& timer);
  void Stop(ui::Timer& timer);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  std::map<UINT_PTR, ui::Timer*> timers_;
  std::map<const ui::Timer*, UINT_PTR> ids_;
  UINT_PTR nextId_ = 1;
};

}  // namespace nexolant::win32
