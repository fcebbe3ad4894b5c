#pragma once

#include <windows.h>

#include <chrono>
#include <map>
#include <memory>

#include "ui/application.h"
#include "ui/application_backend.h"
#include "ui/form.h"
#include "ui/timer.h"
#include "win32/form_window.h"
#include "win32/hint_window.h"
#include "win32/posted_window.h"
#include "win32/render_context.h"
#include "win32/timer_window.h"

namespace nexolant::win32 {

// The Win32 window system behind the Application: the message loop and its pumping,
// message boxes, modal loops, window timers, and the renderer that makes a window for every
// form and control of the model.
class Win32Backend final : public ui::ApplicationBackend {
 public:
  // pumpInterval: how long ProcessMessages may skip the queue after a dispatch (zero: every
  // call dispatches).
  explicit Win32Backend(std::chrono::milliseconds pumpInterval = std::chrono::milliseconds(10));
  ~Win32Backend() override;

  void Attach(ui::Application& application) override;

  // Returns at once unless the pump interval has passed since the end of the last dispatch (by
  // the tick count, so at most about 16 ms apart);
  // otherwise dispatches every pending message. Input waits at most one interval: asking the
  // queue whether input waits is a round trip to the server under Wine, which cost more than
  // the walk itself when it was asked every millisecond. Label captions and list rows changed
  // by the running handler reach their windows at a dispatch at most once every four pump
  // intervals, or at once through UpdateWindows.
  void ProcessMessages() override;
  void UpdateWindows() override;
  void WakeForPosted() override;

  int ShowPopupMenu(const ui::Control& owner, const ui::MenuItems& items) override;
  ui::MessageResult ShowMessageBox(const std::string& text, const std::string& caption,
                                   ui::MessageButtons buttons, ui::MessageIcon icon) override;

  void RealiseForm(ui::Form& form) override;
  void DestroyForm(ui::Form& form) override;
  void ShowModal(ui::Form& form) override;
  void Run(ui::Form& mainForm) override;

  void StartTimer(ui::Timer& timer) override;
  void StopTimer(ui::Timer& timer) override;

  void ApplyHintStyle(const ui::HintStyle& style) override;

  void RestoreApplication() override;
  void BringApplicationToFront() override;
  void ShowTaskbarButton(bool visible) override;

  // The window of a realised form, or null.
  FormWindow* WindowOf(const ui::Form& form) const;
  HintWindow& Hints() const { return *hints_; }

 private:
  // Hands one message to the window system: typed characters first to the form's key
  // preview, dialog keys (Tab, Enter, Escape) to the form, the rest to its window.
  void Dispatch(MSG& message);
  // Tab and Shift+Tab move the focus along the form's tab order, not the windows' z-order,
  // which keeps the layout's drawing order instead.
  void MoveFocus(FormWindow& form, bool backwards);
  FormWindow* FormOfWindow(HWND hwnd) const;
  HWND MainWindow() const;

  // Deferred captions reach their windows once every so many pump intervals.
  static constexpr int kPumpIntervalsPerCaptionUpdate = 4;

  // Times are the system's tick count, in milliseconds: reading it is a read of memory the
  // system keeps up to date (a few nanoseconds, where the steady clock costs a quarter of a
  // microsecond under Wine), which a pump point in a hot loop can afford at every call. It
  // moves in steps of 10 to 16 ms, so a dispatch comes at the first step after the interval.
  DWORD pumpInterval_;
  DWORD lastDispatch_;
  DWORD lastCaptions_;
  ui::Application* application_ = nullptr;
  ui::Form* mainForm_ = nullptr;
  std::unique_ptr<HintWindow> hints_;
  std::unique_ptr<RenderContext> context_;
  std::unique_ptr<TimerWindow> timers_;
  std::unique_ptr<PostedWindow> posted_;
  std::map<const ui::Form*, std::unique_ptr<FormWindow>> forms_;
};

}  // namespace nexolant::win32
