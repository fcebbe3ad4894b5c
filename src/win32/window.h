#pragma once

#include <windows.h>

#include "ui/application.h"

namespace nexolant::win32 {

// A window of one of our own classes, attached to this object for its whole life: the static
// window procedure stores `this` at creation and forwards every message to HandleMessage
// through the application's handler guard, so no exception ever crosses it; a failure goes to
// the standard error report.
class Window {
 public:
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND Handle() const { return hwnd_; }

 protected:
  explicit Window(ui::Application& application) : application_(&application) {}

  // Registers className on first use (with the arrow cursor, no background brush) and creates
  // the window. Throws SystemError when the window cannot be made.
  void Create(const char* className, DWORD exStyle, DWORD style, const char* title, int x, int y,
              int width, int height, HWND parent, UINT classStyle = 0);

  // Handles one message; the default passes it to DefWindowProc.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  ui::Application& App() const { return *application_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  ui::Application* application_;
};

}  // namespace nexolant::win32
