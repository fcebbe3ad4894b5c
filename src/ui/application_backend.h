#pragma once

#include <string>

#include "ui/hint_style.h"
#include "ui/message_box.h"
#include "ui/popup_menu.h"

namespace nexolant::ui {

class Application;
class Control;
class Form;
class Timer;

// What the Application needs from a window system: the Win32 one, or a scripted one in tests.
// Every event a backend dispatches to the model (a control's input method, Timer::Tick, the
// application's minimize, restore and session end) goes through Application::RunHandler, so
// that no exception crosses the window system.
class ApplicationBackend {
 public:
  virtual ~ApplicationBackend() = default;

  // Called once by the Application that uses this backend.
  virtual void Attach(Application& /*application*/) {}

  // Handles pending window messages. May return at once when nothing is due.
  virtual void ProcessMessages() = 0;

  // Brings the windows up to the model at once: what a backend keeps for its next dispatch
  // (captions, rows changed while a handler runs) is applied now. For the end of a step whose
  // last figures must show exactly.
  virtual void UpdateWindows() {}

  // Arranges for Application::RunPosted to be called once from the queue's next dispatch,
  // after the messages waiting now.
  virtual void WakeForPosted() = 0;

  // Shows a modal message box and returns the button that closed it.
  virtual MessageResult ShowMessageBox(const std::string& text, const std::string& caption,
                                       MessageButtons buttons, MessageIcon icon) = 0;

  // Shows a shortcut menu beside owner (at the mouse when the mouse asked for it, else at the
  // owner's selected row or corner) and returns the index of the chosen item, or kNoMenuChoice.
  virtual int ShowPopupMenu(const Control& /*owner*/, const MenuItems& /*items*/) {
    return kNoMenuChoice;
  }

  // Makes the windows of a form and its controls from the model (hidden while the form's
  // Visible() is false) and sets itself as the form's observer; DestroyForm undoes that.
  virtual void RealiseForm(Form& /*form*/) {}
  virtual void DestroyForm(Form& /*form*/) {}

  // Runs a modal loop for a realised, visible form until its ModalResult() is not kNone,
  // with the application's other windows disabled.
  virtual void ShowModal(Form& form);
  // Runs the message loop until the realised, visible main form is Closed().
  virtual void Run(Form& mainForm);

  // Starts (or restarts) a timer with its Interval(); StopTimer stops it if it runs.
  virtual void StartTimer(Timer& /*timer*/) {}
  virtual void StopTimer(Timer& /*timer*/) {}

  virtual void ApplyHintStyle(const HintStyle& /*style*/) {}

  // The application window, which owns the taskbar button: restore it with the main form,
  // bring the application to the front, show or hide the taskbar button.
  virtual void RestoreApplication() {}
  virtual void BringApplicationToFront() {}
  virtual void ShowTaskbarButton(bool /*visible*/) {}
};

}  // namespace nexolant::ui
