#include "win32/container_window.h"

#include "win32/control_window.h"
#include "win32/gdi.h"

namespace nexolant::win32 {

ContainerWindow::ContainerWindow(RenderContext& context, const ui::Container& container)
    : Window(context.App()), context_(&context), container_(&container) {}

ContainerWindow::ContainerWindow(RenderContext& context, const ui::Container& container,
                                 HWND parent, const RECT& bounds)
    : ContainerWindow(context, container) {
  Create("NexolantPage", WS_EX_CONTROLPARENT, WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, "",
         bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent);
}

LRESULT ContainerWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(Handle(), &client);
      FillSolid(reinterpret_cast<HDC>(wParam), client, ContainerBackground(*container_));
      return 1;
    }
    case WM_COMMAND:
      if (ControlWindow* child = context_->ControlWindowOf(reinterpret_cast<HWND>(lParam))) {
        child->OnCommand(HIWORD(wParam));
        return 0;
      }
      break;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (ControlWindow* child = context_->ControlWindowOf(header->hwndFrom)) {
        return child->OnNotify(*header);
      }
      break;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (ControlWindow* child = context_->ControlWindowOf(item->hwndItem)) {
        child->OnDrawItem(*item);
        return TRUE;
      }
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      if (ControlWindow* child = context_->ControlWindowOf(reinterpret_cast<HWND>(lParam))) {
        if (const HBRUSH brush = child->OnColor(reinterpret_cast<HDC>(wParam))) {
          return reinterpret_cast<LRESULT>(brush);
        }
      }
      break;
    default:
      break;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace nexolant::win32
