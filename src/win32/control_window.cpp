#include "win32/control_window.h"

#include "win32/hint_window.h"
#include "win32/system_error_text.h"

namespace nexolant::win32 {

namespace {

// Child window identifiers start above IDOK and IDCANCEL, which the dialog keys send.
int NextChildId() {
  static int next = 100;
  return next++;
}

HCURSOR CursorOf(ui::Cursor cursor) {
  switch (cursor) {
    case ui::Cursor::kHand:
      return LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
    case ui::Cursor::kHourGlass:
      return LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT));
    case ui::Cursor::kDefault:
      break;
  }
  return nullptr;
}

}  // namespace

ControlWindow::ControlWindow(RenderContext& context, ui::Control& control)
    : context_(&context), control_(&control) {}

ControlWindow::~ControlWindow() {
  Context().ForgetDeferred(*this);
  if (hwnd_) {
    Context().Hints().Leave(hwnd_);
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    Context().RemoveControlWindow(hwnd_);
    DestroyWindow(hwnd_);
  }
}

void ControlWindow::CreateChild(const char* className, DWORD style, DWORD exStyle, HWND parent,
                                int extraHeight) {
  extraHeight_ = extraHeight;
  const RECT bounds = Context().ToPixels(control_->Bounds());
  hwnd_ = CreateWindowExA(exStyle, className, control_->Caption().c_str(),
                          style | WS_CHILD | WS_CLIPSIBLINGS, bounds.left, bounds.top,
                          bounds.right - bounds.left,
                          bounds.bottom - bounds.top + Context().Scale(extraHeight), parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(NextChildId())),
                          GetModuleHandleA(nullptr), nullptr);
  if (!hwnd_) {
    throw LastSystemError();
  }
  // The subclassed procedure finds this object in the window's user data, which the standard
  // classes leave to the application.
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  Context().AddControlWindow(hwnd_, *this);
  original_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
  // Later controls lie above earlier ones, as the model's creation order says.
  SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

POINT ControlWindow::MenuAnchor() {
  RECT bounds{};
  GetWindowRect(Handle(), &bounds);
  return {bounds.left, bounds.bottom};
}

void ControlWindow::ApplyAll() {
  for (const ui::Property property : {ui::Property::kFont, ui::Property::kBounds,
                                      ui::Property::kEnabled, ui::Property::kVisible}) {
    Apply(property);
  }
}

void ControlWindow::ApplyBounds() {
  const RECT bounds = Context().ToPixels(control_->Bounds());
  SetWindowPos(hwnd_, nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
               bounds.bottom - bounds.top + Context().Scale(extraHeight_),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void ControlWindow::Apply(ui::Property property) {
  switch (property) {
    case ui::Property::kBounds:
      ApplyBounds();
      break;
    case ui::Property::kVisible:
      ShowWindow(hwnd_, control_->Visible() ? SW_SHOWNA : SW_HIDE);
      if (!control_->Visible()) {
        Context().Hints().Leave(hwnd_);
      }
      break;
    case ui::Property::kEnabled:
      EnableWindow(hwnd_, control_->Enabled());
      Redraw();
      break;
    case ui::Property::kCaption:
      SetWindowTextA(hwnd_, control_->Caption().c_str());
      Redraw();
      break;
    case ui::Property::kFont:
      SendMessageA(hwnd_, WM_SETFONT,
                   reinterpret_cast<WPARAM>(Context().Fonts().Get(control_->Font())), TRUE);
      Redraw();
      break;
    default:
      Redraw();
      break;
  }
}

HBRUSH ControlWindow::OnColor(HDC dc) {
  const COLORREF background = ControlBackground(*control_);
  SetTextColor(dc, TextColor(*control_));
  SetBkColor(dc, background);
  return Context().Brushes().Get(background);
}

void ControlWindow::MouseMoved() {
  if (!mouseInside_) {
    mouseInside_ = true;
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = hwnd_;
    TrackMouseEvent(&track);
    Context().Run([this] { control_->MouseEnter(); });
  }
  if (control_->ShowHint() && !control_->Hint().empty()) {
    Context().Hints().Hover(hwnd_, control_->Hint());
  }
}

void ControlWindow::MouseLeft() {
  mouseInside_ = false;
  Context().Hints().Leave(hwnd_);
  Context().Run([this] { control_->MouseLeave(); });
}

LRESULT ControlWindow::HandleChildMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
      Context().ApplyDeferred(*this);
      break;
    case WM_MOUSEMOVE:
      MouseMoved();
      break;
    case WM_MOUSELEAVE:
      MouseLeft();
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Context().Hints().Hide();
      Context().Run([this] { control_->MouseDown(); });
      if (clicksOnRelease_) {
        pressed_ = true;
        SetCapture(hwnd_);
        return 0;
      }
      break;
    case WM_LBUTTONUP:
      Context().Run([this] { control_->MouseUp(); });
      if (clicksOnRelease_ && pressed_) {
        pressed_ = false;
        ReleaseCapture();
        RECT client;
        GetClientRect(hwnd_, &client);
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (PtInRect(&client, at)) {
          Context().Run([this] { control_->Click(); });
        }
        return 0;
      }
      break;
    case WM_CAPTURECHANGED:
      pressed_ = false;
      break;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        if (const HCURSOR cursor = CursorOf(control_->Cursor())) {
          SetCursor(cursor);
          return TRUE;
        }
      }
      break;
    default:
      break;
  }
  return CallOriginal(message, wParam, lParam);
}

LRESULT ControlWindow::CallOriginal(UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(original_, hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK ControlWindow::SubclassProc(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  auto* self = reinterpret_cast<ControlWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  LRESULT result = 0;
  const bool handled =
      self->Context().Run([&] { result = self->HandleChildMessage(message, wParam, lParam); });
  return handled ? result : self->CallOriginal(message, wParam, lParam);
}

}  // namespace nexolant::win32
