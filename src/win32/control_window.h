#pragma once

#include <windows.h>

#include "ui/control.h"
#include "ui/property.h"
#include "win32/render_context.h"

namespace nexolant::win32 {

// The window of one control: a child window of a standard class (STATIC, BUTTON, COMBOBOX,
// EDIT, SysListView32) whose text is the control's caption. Its window procedure is
// subclassed to raise mouse enter and leave, press and release to the model, to set the
// model's cursor and to ask for pop-up hints; its parent hands it the notifications the
// window sends (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_CTLCOLOR*).
class ControlWindow {
 public:
  ControlWindow(RenderContext& context, ui::Control& control);
  ControlWindow(const ControlWindow&) = delete;
  ControlWindow& operator=(const ControlWindow&) = delete;
  virtual ~ControlWindow();

  HWND Handle() const { return hwnd_; }
  ui::Control& Model() const { return *control_; }

  // Re-reads a property from the model and applies it.
  virtual void Apply(ui::Property property);
  // Applies every property after creation.
  virtual void ApplyAll();
  // Applies what was deferred while a handler ran (RenderContext::Defer): a label's caption.
  virtual void ApplyPending() { Apply(ui::Property::kCaption); }
  // Whether what was deferred may wait while the window is out of sight, until it is shown
  // or asked about. A label's caption may not: another process reads it without asking.
  virtual bool PendingWaitsWhileHidden() const { return false; }

  // Notifications from the parent.
  virtual void OnCommand(WORD /*code*/) {}
  virtual LRESULT OnNotify(const NMHDR& /*header*/) { return 0; }
  // Where a shortcut menu of the control opens, in screen coordinates.
  virtual POINT MenuAnchor();
  virtual void OnDrawItem(const DRAWITEMSTRUCT& /*item*/) {}
  // The brush for WM_CTLCOLOR*; null lets the window take the default.
  virtual HBRUSH OnColor(HDC dc);

 protected:
  // Creates the window, attaches it to this object and subclasses it. extraHeight enlarges
  // the window beyond the model's height (a drop-down list's list part).
  void CreateChild(const char* className, DWORD style, DWORD exStyle, HWND parent,
                   int extraHeight = 0);

  // The subclassed window procedure; the default handles the mouse, the cursor and the
  // hint, and passes everything to the original procedure.
  virtual LRESULT HandleChildMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT CallOriginal(UINT message, WPARAM wParam, LPARAM lParam);

  // For windows that do not click by themselves (STATIC): capture the mouse on press and
  // click the model when it is released inside.
  void SetClicksOnRelease(bool clicks) { clicksOnRelease_ = clicks; }

  // Sets the window's size from the model (kinds that size themselves override it).
  virtual void ApplyBounds();
  void Redraw() const { InvalidateRect(hwnd_, nullptr, FALSE); }

  RenderContext& Context() const { return *context_; }
  int extraHeight_ = 0;

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void MouseMoved();
  void MouseLeft();

  RenderContext* context_;
  ui::Control* control_;
  HWND hwnd_ = nullptr;
  WNDPROC original_ = nullptr;
  bool mouseInside_ = false;
  bool clicksOnRelease_ = false;
  bool pressed_ = false;
};

}  // namespace nexolant::win32
