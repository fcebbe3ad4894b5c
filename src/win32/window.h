#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <stdexcept>

namespace nexolant::win32 {

// Where a failure that escaped a message handler goes: the application's standard error
// report. No exception ever crosses a window procedure.
using ErrorReport = std::function<void(const std::exception&)>;

// Runs handler and hands any failure to report; the boundary every callback from the window
// system goes through.
template <typename Handler>
void Guarded(const ErrorReport& report, Handler&& handler) noexcept {
  try {
    handler();
  } catch (const std::exception& error) {
    if (report) {
      report(error);
    }
  } catch (...) {
    if (report) {
      report(std::runtime_error("Unexpected failure"));
    }
  }
}

// A window of one of our own classes, attached to this object for its whole life: the static
// window procedure stores `this` at creation and forwards every message to HandleMessage.
class Window {
 public:
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND Handle() const { return hwnd_; }

 protected:
  explicit Window(ErrorReport report) : report_(std::move(report)) {}

  // Registers className on first use (with the arrow cursor, no background brush) and creates
  // the window. Throws SystemError when the window cannot be made.
  void Create(const char* className, DWORD exStyle, DWORD style, const char* title, int x, int y,
              int width, int height, HWND parent, UINT classStyle = 0);

  // Handles one message; the default passes it to DefWindowProc.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  const ErrorReport& Report() const { return report_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  ErrorReport report_;
};

}  // namespace nexolant::win32
