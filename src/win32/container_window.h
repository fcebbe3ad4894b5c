#pragma once

#include <windows.h>

#include "ui/control.h"
#include "win32/render_context.h"
#include "win32/window.h"

namespace nexolant::win32 {

// A window that holds control windows: a form, or one page of a notebook. It paints its
// container's background and hands each child's notifications to that child's
// ControlWindow.
class ContainerWindow : public Window {
 public:
  // A page window inside parent, covering the rectangle given in pixels.
  ContainerWindow(RenderContext& context, const ui::Container& container, HWND parent,
                  const RECT& bounds);

  const ui::Container& Model() const { return *container_; }

 protected:
  // For a form, which creates its own top-level window.
  ContainerWindow(RenderContext& context, const ui::Container& container);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  RenderContext& Context() const { return *context_; }

 private:
  RenderContext* context_;
  const ui::Container* container_;
};

}  // namespace nexolant::win32
