#pragma once

#include <windows.h>

#include <map>
#include <unordered_map>
#include <vector>

#include "ui/application.h"
#include "ui/control.h"
#include "win32/font_cache.h"
#include "win32/gdi.h"
#include "win32/pictures.h"
#include "win32/unique_handle.h"
#include "win32/window.h"

namespace nexolant::win32 {

class ControlWindow;
class HintWindow;

// Solid brushes by colour, kept for the life of the renderer (WM_CTLCOLOR* answers must
// outlive the message).
class BrushCache {
 public:
  HBRUSH Get(COLORREF color);

 private:
  std::map<COLORREF, UniqueGdiObject> brushes_;
};

// What every window of the renderer shares: the application (to run event handlers), the
// caches of GDI objects, the pop-up hint window and the display scale.
class RenderContext {
 public:
  RenderContext(ui::Application& application, HintWindow& hints, int dpi);

  ui::Application& App() const { return *application_; }
  HintWindow& Hints() const { return *hints_; }
  FontCache& Fonts() { return fonts_; }
  PictureCache& Pictures() { return pictures_; }
  BrushCache& Brushes() { return brushes_; }
  // The off-screen bitmap the owner-drawn controls paint through.
  PaintSurface& Surface() { return surface_; }

  // Model pixels (96 per inch) to display pixels.
  int Scale(int value) const { return MulDiv(value, dpi_, 96); }
  RECT ToPixels(const ui::Rect& rect) const;

  // The control windows by handle, so that a parent finds the child a notification comes
  // from without asking the window system: a window property costs a call to the server
  // under Wine (about 60 us), which a list view's rows would pay several times each.
  void AddControlWindow(HWND hwnd, ControlWindow& window) { controlWindows_[hwnd] = &window; }
  void RemoveControlWindow(HWND hwnd) { controlWindows_.erase(hwnd); }
  ControlWindow* ControlWindowOf(HWND hwnd) const {
    const auto found = controlWindows_.find(hwnd);
    return found == controlWindows_.end() ? nullptr : found->second;
  }

  // Runs an event of the model through the application's handler guard.
  template <class Handler>
  bool Run(Handler&& handler) {
    return application_->RunHandler(std::forward<Handler>(handler));
  }

  // A label's new caption or a list's changed rows, set while an event handler runs, wait here
  // until the handler pumps messages or returns, or until the window is read: a label or a
  // list that changes once per scanned entry then costs its window at most one update per
  // dispatch. A list out of sight waits further, until it is shown or read.
  void Defer(ControlWindow& window);
  void ApplyDeferred();
  void ApplyDeferred(ControlWindow& window);
  void ForgetDeferred(ControlWindow& window);

 private:
  ui::Application* application_;
  HintWindow* hints_;
  int dpi_;
  FontCache fonts_;
  PictureCache pictures_;
  BrushCache brushes_;
  PaintSurface surface_;
  std::unordered_map<HWND, ControlWindow*> controlWindows_;
  std::vector<ControlWindow*> deferred_;
};

// The background of a container: a form's colour, or a notebook page's (its notebook's).
COLORREF ContainerBackground(const ui::Container& container);

// The background of a control: its own colour, or its container's when that is default.
COLORREF ControlBackground(const ui::Control& control);

// The text colour of a control's font.
COLORREF TextColor(const ui::Control& control);

}  // namespace nexolant::win32
