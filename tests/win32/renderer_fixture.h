#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include "ui/application.h"
#include "ui/controls.h"
#include "win32/control_window.h"
#include "win32/win32_backend.h"

namespace nexolant::win32 {

// A Win32 backend whose every pump dispatches, its application, and helpers to read back
// the real windows of a realised form.
class RendererTest : public ::testing::Test {
 protected:
  RendererTest() : backend_(std::chrono::milliseconds(0)), application_(backend_) {}

  void Realise(ui::Form& form) {
    backend_.RealiseForm(form);
    form.SetVisible(true);
    Pump();
  }

  void Pump() {
    for (int i = 0; i < 5; ++i) {
      backend_.ProcessMessages();
    }
  }

  HWND FormHandle(const ui::Form& form) const { return backend_.WindowOf(form)->Handle(); }

  HWND HandleOf(const ui::Control& control) const {
    const ControlWindow* window = backend_.WindowOf(control.OwnerForm())->WindowOf(control);
    return window ? window->Handle() : nullptr;
  }

  static std::string WindowText(HWND hwnd) {
    char text[1024] = "";
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
  }

  // What a window paints of its client area when asked to print it, over white, row by row.
  struct Pixels {
    int width = 0;
    std::vector<COLORREF> colors;
    COLORREF At(int x, int y) const { return colors[static_cast<std::size_t>(y * width + x)]; }
  };
  static Pixels Printed(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const HDC screen = GetDC(hwnd);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    FillRect(memory, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    Pixels pixels{client.right, {}};
    for (int y = 0; y < client.bottom; ++y) {
      for (int x = 0; x < client.right; ++x) {
        pixels.colors.push_back(GetPixel(memory, x, y));
      }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(hwnd, screen);
    return pixels;
  }

  static std::string ClassOf(HWND hwnd) {
    char name[64] = "";
    GetClassNameA(hwnd, name, sizeof name);
    return name;
  }

  Win32Backend backend_;
  ui::Application application_;
};

}  // namespace nexolant::win32
