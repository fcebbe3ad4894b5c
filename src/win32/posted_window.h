#pragma once

#include <windows.h>

#include "ui/application.h"
#include "win32/window.h"

namespace nexolant::win32 {

// A message-only window whose messages run the application's posted actions, one each, so
// that they take their turn in the thread's queue behind the input already waiting.
class PostedWindow : public Window {
 public:
  explicit PostedWindow(ui::Application& application);

  // Queues one message that runs the first posted action when it is dispatched.
  void Wake();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace nexolant::win32
