#include "win32/posted_window.h"

#include "win32/system_error_text.h"

namespace nexolant::win32 {
namespace {

constexpr UINT kRunPosted = WM_APP + 1;

}  // namespace

PostedWindow::PostedWindow(ui::Application& application) : Window(application) {
  Create("NexolantPosted", 0, 0, "", 0, 0, 0, 0, HWND_MESSAGE);
}

void PostedWindow::Wake() {
  if (!PostMessageA(Handle(), kRunPosted, 0, 0)) {
    throw LastSystemError();
  }
}

LRESULT PostedWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRunPosted) {
    App().RunPosted();
    return 0;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace nexolant::win32
