#include "win32/window.h"

#include <stdexcept>

#include "win32/system_error_text.h"

namespace nexolant::win32 {

namespace {

void RegisterOnce(const char* className, UINT classStyle, WNDPROC procedure) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  if (GetClassInfoExA(instance, className, &existing)) {
    return;
  }
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = classStyle;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.lpszClassName = className;
  if (!RegisterClassExA(&windowClass)) {
    throw LastSystemError();
  }
}

}  // namespace

Window::~Window() {
  if (hwnd_) {
    const HWND hwnd = hwnd_;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    DestroyWindow(hwnd);
  }
}

void Window::Create(const char* className, DWORD exStyle, DWORD style, const char* title, int x,
                    int y, int width, int height, HWND parent, UINT classStyle) {
  RegisterOnce(className, classStyle, &Window::WindowProc);
  if (!CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent, nullptr,
                       GetModuleHandleA(nullptr), this)) {
    throw LastSystemError();
  }
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  LRESULT result = 0;
  const bool handled = self->application_->RunHandler(
      [&] { result = self->HandleMessage(message, wParam, lParam); });
  if (!handled && message == WM_PAINT) {
    // A failed paint still validates, or the window would ask to be painted for ever.
    ValidateRect(hwnd, nullptr);
  }
  return result;
}

}  // namespace nexolant::win32
