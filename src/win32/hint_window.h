#pragma once

#include <windows.h>

#include <string>

#include "ui/graphics.h"
#include "ui/hint_style.h"
#include "win32/font_cache.h"
#include "win32/gdi.h"
#include "win32/window.h"

namespace nexolant::win32 {

// The one pop-up hint window of the application. A control under the mouse asks for its
// hint with Hover; the hint appears after a pause below the mouse pointer, hides after a
// while, when the mouse leaves the control or when a button is pressed. Drawn in the
// application's hint style: rounded or square, with a shadow of the style's offset, text
// centred or left-aligned.
class HintWindow : public Window {
 public:
  explicit HintWindow(ui::Application& application);

  void SetStyle(const ui::HintStyle& style) { style_ = style; }

  // The mouse is over owner, whose hint is text (lines separated by line breaks).
  void Hover(HWND owner, const std::string& text);
  // The mouse left owner; the hint goes if it was owner's.
  void Leave(HWND owner);
  void Hide();

  bool Showing() const { return IsWindowVisible(Handle()) != FALSE; }
  const std::string& Text() const { return text_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void ShowNow();
  void Paint(HDC dc, const RECT& client);
  SIZE TextSize(HDC dc);

  FontCache fonts_;
  PaintSurface surface_;
  ui::HintStyle style_;
  HWND owner_ = nullptr;
  std::string text_;
};

}  // namespace nexolant::win32
