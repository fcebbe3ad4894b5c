#pragma once

#include <windows.h>

#include <memory>
#include <unordered_map>
#include <vector>

#include "ui/control_observer.h"
#include "ui/form.h"
#include "win32/container_window.h"
#include "win32/control_window.h"

namespace nexolant::win32 {

// The window of a Form: a top-level window of the model's border, icons, caption and exact
// client size, holding one child window per control. It observes the form and applies
// every change to the window it concerns.
class FormWindow final : public ContainerWindow, public ui::ControlObserver {
 public:
  // Creates the windows (hidden until the form is visible) and observes the form. owner, if
  // any, is the window the form stays above.
  FormWindow(RenderContext& context, ui::Form& form, HWND owner);
  ~FormWindow() override;

  ui::Form& Model() const { return *form_; }
  // The window of a control of this form, or null.
  ControlWindow* WindowOf(const ui::Control& control) const;

  void ControlChanged(ui::Control& control, ui::Property property) override;
  void ListChanged(ui::ListView& list, const ui::ListChange& change) override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void CreateControls(const ui::Container& container, HWND parent);
  void ApplyFormProperty(ui::Property property);
  void ApplyStyle();
  void ApplyIcon();
  // Sizes the frame for the model's client size and places it (centred or as designed).
  void Place();
  // Clicks the form's default (IDOK) or cancel (IDCANCEL) button, if it shows one.
  void ClickDialogButton(int command);

  ui::Form* form_;
  std::vector<std::unique_ptr<ControlWindow>> controls_;
  std::unordered_map<const ui::Control*, ControlWindow*> byControl_;
  UniqueIcon bigIcon_;
  UniqueIcon smallIcon_;
  bool minimized_ = false;
};

}  // namespace nexolant::win32
