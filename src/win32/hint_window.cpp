#include "win32/hint_window.h"

#include <algorithm>

#include "win32/gdi.h"

namespace nexolant::win32 {

namespace {

constexpr UINT_PTR kShowTimer = 1;
constexpr UINT_PTR kHideTimer = 2;
constexpr UINT kShowPause = 500;
constexpr UINT kHidePause = 2500;
constexpr int kPaddingX = 6;
constexpr int kPaddingY = 3;
constexpr int kCornerDiameter = 8;
constexpr int kBelowPointer = 20;

const ui::Font kHintFont{"Verdana", 11, false, false, ui::Color::WindowText()};

}  // namespace

HintWindow::HintWindow(ui::Application& application) : Window(application) {
  Create("NexolantHint", WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, WS_POPUP, "", 0, 0, 1,
         1, nullptr, CS_SAVEBITS);
}

void HintWindow::Hover(HWND owner, const std::string& text) {
  if (owner == owner_ && text == text_) {
    return;
  }
  const bool wasShowing = Showing();
  owner_ = owner;
  text_ = text;
  if (wasShowing) {
    ShowNow();
  } else {
    SetTimer(Handle(), kShowTimer, kShowPause, nullptr);
  }
}

void HintWindow::Leave(HWND owner) {
  if (owner == owner_) {
    Hide();
  }
}

void HintWindow::Hide() {
  KillTimer(Handle(), kShowTimer);
  KillTimer(Handle(), kHideTimer);
  owner_ = nullptr;
  text_.clear();
  ShowWindow(Handle(), SW_HIDE);
}

SIZE HintWindow::TextSize(HDC dc) {
  const SelectedObject font(dc, fonts_.Get(kHintFont));
  RECT bounds{0, 0, 0, 0};
  DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &bounds, DT_CALCRECT | DT_NOPREFIX);
  // Room for glyphs drawn past the measured extent, as for labels.
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  return SIZE{bounds.right - bounds.left + metrics.tmAveCharWidth / 2 + 1,
              bounds.bottom - bounds.top};
}

void HintWindow::ShowNow() {
  KillTimer(Handle(), kShowTimer);
  if (text_.empty()) {
    return;
  }
  SIZE text;
  {
    const ClientDc dc(Handle());
    text = TextSize(dc.Dc());
  }
  const int shadow = std::max(0, style_.shadowOffset);
  const int width = text.cx + 2 * kPaddingX + shadow;
  const int height = text.cy + 2 * kPaddingY + shadow;

  POINT pointer;
  GetCursorPos(&pointer);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  const int x = std::clamp<int>(pointer.x, work.left, std::max(work.left, work.right - width));
  int y = pointer.y + kBelowPointer;
  if (y + height > work.bottom) {
    y = pointer.y - height - 2;
  }

  const int bodyWidth = width - shadow;
  const int bodyHeight = height - shadow;
  UniqueResource<RegionTraits> region;
  if (style_.rounded) {
    region.reset(
        CreateRoundRectRgn(0, 0, bodyWidth + 1, bodyHeight + 1, kCornerDiameter, kCornerDiameter));
    if (shadow > 0) {
      const UniqueResource<RegionTraits> shadowRegion(CreateRoundRectRgn(
          shadow, shadow, width + 1, height + 1, kCornerDiameter, kCornerDiameter));
      CombineRgn(region.get(), region.get(), shadowRegion.get(), RGN_OR);
    }
  } else if (shadow > 0) {
    region.reset(CreateRectRgn(0, 0, bodyWidth, bodyHeight));
    const UniqueResource<RegionTraits> shadowRegion(CreateRectRgn(shadow, shadow, width, height));
    CombineRgn(region.get(), region.get(), shadowRegion.get(), RGN_OR);
  }
  // The system owns a window's region once it is set.
  if (SetWindowRgn(Handle(), region.get(), FALSE)) {
    region.release();
  }
  SetWindowPos(Handle(), HWND_TOPMOST, x, y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(Handle(), nullptr, TRUE);
  SetTimer(Handle(), kHideTimer, kHidePause, nullptr);
}

void HintWindow::Paint(HDC dc, const RECT& client) {
  const int shadow = std::max(0, style_.shadowOffset);
  const RECT body{0, 0, client.right - shadow, client.bottom - shadow};
  FillSolid(dc, client, GetSysColor(COLOR_BTNSHADOW));
  const UniqueGdiObject fill(CreateSolidBrush(GetSysColor(COLOR_INFOBK)));
  const UniqueGdiObject pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_INFOTEXT)));
  {
    const SelectedObject brush(dc, fill.get());
    const SelectedObject outline(dc, pen.get());
    if (style_.rounded) {
      RoundRect(dc, body.left, body.top, body.right, body.bottom, kCornerDiameter, kCornerDiameter);
    } else {
      Rectangle(dc, body.left, body.top, body.right, body.bottom);
    }
  }
  const SelectedObject font(dc, fonts_.Get(kHintFont));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
  RECT text{body.left + kPaddingX, body.top + kPaddingY, body.right - kPaddingX,
            body.bottom - kPaddingY};
  DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &text,
            DT_NOPREFIX | (style_.centered ? DT_CENTER : DT_LEFT));
}

LRESULT HintWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam == kShowTimer) {
        ShowNow();
      } else if (wParam == kHideTimer) {
        KillTimer(Handle(), kHideTimer);
        ShowWindow(Handle(), SW_HIDE);
      }
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      const PaintScope paint(Handle());
      RECT client;
      GetClientRect(Handle(), &client);
      const BufferedPaint buffer(surface_, paint.Dc(), client.right, client.bottom);
      Paint(buffer.Dc(), client);
      return 0;
    }
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    default:
      return Window::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace nexolant::win32
