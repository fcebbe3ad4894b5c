#include "win32/form_window.h"

#include "ui/button.h"
#include "ui/notebook.h"
#include "win32/control_factory.h"
#include "win32/hint_window.h"
#include "win32/list_view_window.h"
#include "win32/notebook_window.h"

namespace nexolant::win32 {

namespace {

DWORD StyleOf(const ui::Form& form) {
  DWORD style = WS_CLIPCHILDREN;
  const ui::BorderIcons& icons = form.BorderIcons();
  switch (form.BorderStyle()) {
    case ui::BorderStyle::kNone:
      return style | WS_POPUP;
    case ui::BorderStyle::kSingle:
      style |= WS_CAPTION;
      if (icons.systemMenu) {
        style |= WS_SYSMENU | (icons.minimize ? WS_MINIMIZEBOX : 0) |
                 (icons.maximize ? WS_MAXIMIZEBOX : 0);
      }
      return style;
    case ui::BorderStyle::kDialog:
      return style | WS_CAPTION | (icons.systemMenu ? WS_SYSMENU : 0);
  }
  return style;
}

DWORD ExStyleOf(const ui::Form& form) {
  return WS_EX_CONTROLPARENT |
         (form.BorderStyle() == ui::BorderStyle::kDialog ? WS_EX_DLGMODALFRAME : 0);
}

}  // namespace

FormWindow::FormWindow(RenderContext& context, ui::Form& form, HWND owner)
    : ContainerWindow(context, form), form_(&form) {
  Create("NexolantForm", ExStyleOf(form), StyleOf(form), form.Caption().c_str(), CW_USEDEFAULT,
         CW_USEDEFAULT, 0, 0, owner, CS_DBLCLKS);
  Place();
  ApplyIcon();
  CreateControls(form, Handle());
  form.SetObserver(this);
  if (form.Visible()) {
    ApplyFormProperty(ui::Property::kVisible);
  }
}

FormWindow::~FormWindow() {
  if (form_->Observer() == this) {
    form_->SetObserver(nullptr);
  }
  // Children before their containers: pages' controls were made after their notebook.
  while (!controls_.empty()) {
    controls_.pop_back();
  }
}

void FormWindow::CreateControls(const ui::Container& container, HWND parent) {
  for (const auto& control : container.Controls()) {
    auto window = CreateControlWindow(Context(), *control, parent);
    ControlWindow* created = window.get();
    byControl_[control.get()] = created;
    controls_.push_back(std::move(window));
    if (control->Kind() == ui::ControlKind::kNotebook) {
      const auto& notebook = static_cast<const ui::Notebook&>(*control);
      const auto& notebookWindow = static_cast<const NotebookWindow&>(*created);
      for (int page = 0; page < notebook.PageCount(); ++page) {
        CreateControls(notebook.Page(page), notebookWindow.PageHandle(page));
      }
    }
  }
}

ControlWindow* FormWindow::WindowOf(const ui::Control& control) const {
  const auto found = byControl_.find(&control);
  return found == byControl_.end() ? nullptr : found->second;
}

void FormWindow::ControlChanged(ui::Control& control, ui::Property property) {
  if (&control == form_) {
    ApplyFormProperty(property);
  } else if (ControlWindow* window = WindowOf(control)) {
    const bool label =
        control.Kind() == ui::ControlKind::kLabel || control.Kind() == ui::ControlKind::kLinkLabel;
    if (property == ui::Property::kCaption && label && Context().App().InHandler()) {
      Context().Defer(*window);
    } else {
      window->Apply(property);
    }
  }
}

void FormWindow::ListChanged(ui::ListView& list, const ui::ListChange& /*change*/) {
  if (auto* window = dynamic_cast<ListViewWindow*>(WindowOf(list))) {
    window->ListChanged();
  }
}

void FormWindow::Place() {
  const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_STYLE));
  const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_EXSTYLE));
  RECT frame{0, 0, Context().Scale(form_->ClientWidth()), Context().Scale(form_->ClientHeight())};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  int x = Context().Scale(form_->Left());
  int y = Context().Scale(form_->Top());
  if (form_->Position() == ui::FormPosition::kScreenCenter) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(Handle(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& screen = monitor.rcMonitor;
    x = screen.left + (screen.right - screen.left - width) / 2;
    y = screen.top + (screen.bottom - screen.top - height) / 2;
  }
  SetWindowPos(Handle(), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::ApplyStyle() {
  SetWindowLongPtrA(Handle(), GWL_STYLE,
                    StyleOf(*form_) | (IsWindowVisible(Handle()) ? WS_VISIBLE : 0));
  SetWindowLongPtrA(Handle(), GWL_EXSTYLE, ExStyleOf(*form_));
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  Place();
}

void FormWindow::ApplyIcon() {
  // The form's icon resource; without one, the executable's first icon (the application's).
  auto load = [this](int width, int height) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    HANDLE icon = nullptr;
    if (!form_->Icon().empty()) {
      icon = LoadImageA(instance, form_->Icon().c_str(), IMAGE_ICON, width, height, 0);
    }
    if (!icon) {
      icon = LoadImageA(instance, MAKEINTRESOURCEA(1), IMAGE_ICON, width, height, 0);
    }
    return static_cast<HICON>(icon);
  };
  UniqueIcon largeIcon(load(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)));
  UniqueIcon littleIcon(load(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)));
  SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon.get()));
  SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(littleIcon.get()));
  // The old icons go only once the window no longer shows them.
  bigIcon_ = std::move(largeIcon);
  smallIcon_ = std::move(littleIcon);
}

void FormWindow::ApplyFormProperty(ui::Property property) {
  switch (property) {
    case ui::Property::kCaption:
      SetWindowTextA(Handle(), form_->Caption().c_str());
      break;
    case ui::Property::kBounds:
    case ui::Property::kPosition:
      Place();
      break;
    case ui::Property::kBorderStyle:
    case ui::Property::kBorderIcons:
      ApplyStyle();
      break;
    case ui::Property::kVisible:
      if (form_->Visible()) {
        ShowWindow(Handle(), SW_SHOW);
        SetForegroundWindow(Handle());
      } else {
        Context().Hints().Hide();
        ShowWindow(Handle(), SW_HIDE);
      }
      break;
    case ui::Property::kEnabled:
      EnableWindow(Handle(), form_->Enabled());
      break;
    case ui::Property::kPicture:
      ApplyIcon();
      break;
    case ui::Property::kColor:
      RedrawWindow(Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
      break;
    case ui::Property::kModalResult:
      // Wakes a modal loop that waits for a message.
      PostMessageA(Handle(), WM_NULL, 0, 0);
      break;
    default:
      break;
  }
}

void FormWindow::ClickDialogButton(int command) {
  for (const auto& window : controls_) {
    ui::Control& control = window->Model();
    if (control.Kind() != ui::ControlKind::kButton || !control.AcceptsInput()) {
      continue;
    }
    const auto& button = static_cast<const ui::Button&>(control);
    if ((command == IDOK && button.Default()) || (command == IDCANCEL && button.Cancel())) {
      Context().Run([&control] { control.Click(); });
      return;
    }
  }
}

LRESULT FormWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      Context().App().RequestClose(*form_);
      return 0;
    case WM_COMMAND:
      if (lParam == 0 && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        ClickDialogButton(LOWORD(wParam));
        return 0;
      }
      break;
    case WM_GETMINMAXINFO: {
      // The frame keeps the size that holds the model's client area.
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      RECT frame{0, 0, Context().Scale(form_->ClientWidth()),
                 Context().Scale(form_->ClientHeight())};
      AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_STYLE)), FALSE,
                         static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_EXSTYLE)));
      limits->ptMinTrackSize = {frame.right - frame.left, frame.bottom - frame.top};
      limits->ptMaxTrackSize = limits->ptMinTrackSize;
      return 0;
    }
    case WM_SIZE:
      if (wParam == SIZE_MINIMIZED && !minimized_) {
        minimized_ = true;
        Context().Hints().Hide();
        Context().Run([this] { Context().App().HandleMinimized(); });
      } else if ((wParam == SIZE_RESTORED || wParam == SIZE_MAXIMIZED) && minimized_) {
        minimized_ = false;
        Context().Run([this] { Context().App().HandleRestored(); });
      }
      return 0;
    case WM_ENDSESSION:
      // The session really ends: the process goes away after this message, with no close.
      if (wParam) {
        Context().Run([this] { Context().App().HandleEndSession(); });
      }
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        Context().Hints().Hide();
      }
      break;
    default:
      break;
  }
  return ContainerWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace nexolant::win32
