#pragma once

#include <windows.h>

#include "win32/unique_handle.h"

namespace nexolant::win32 {

// An object selected into a device context for one scope; the previous one is put back.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectedObject() { SelectObject(dc_, previous_); }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// BeginPaint and EndPaint around one WM_PAINT.
class PaintScope {
 public:
  explicit PaintScope(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd, &paint_); }
  ~PaintScope() { EndPaint(hwnd_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;

  HDC Dc() const { return dc_; }

 private:
  HWND hwnd_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// The client-area device context of a window, released at the end of the scope.
class ClientDc {
 public:
  explicit ClientDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~ClientDc() { ReleaseDC(hwnd_, dc_); }
  ClientDc(const ClientDc&) = delete;
  ClientDc& operator=(const ClientDc&) = delete;

  HDC Dc() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// A memory device context compatible with another one.
using UniqueMemoryDc = UniqueResource<MemoryDcTraits>;

// Draws into an off-screen bitmap of the target's size and copies it to the target at the
// end of the scope, so that layered drawing never flickers.
class BufferedPaint {
 public:
  BufferedPaint(HDC target, int width, int height);
  ~BufferedPaint();
  BufferedPaint(const BufferedPaint&) = delete;
  BufferedPaint& operator=(const BufferedPaint&) = delete;

  // The buffer, or the target itself when no buffer could be made.
  HDC Dc() const { return previous_ ? memory_.get() : target_; }

 private:
  HDC target_;
  int width_;
  int height_;
  UniqueMemoryDc memory_;
  UniqueGdiObject bitmap_;
  HGDIOBJ previous_ = nullptr;
};

// Fills rect with a solid colour.
void FillSolid(HDC dc, const RECT& rect, COLORREF color);

// A one-pixel frame just inside rect.
void FrameSolid(HDC dc, const RECT& rect, COLORREF color);

}  // namespace nexolant::win32
