#pragma once

#include <windows.h>

#include <memory>

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

// An off-screen bitmap in a memory device context, kept between paints and grown to the
// largest size asked for: making a bitmap and a device context for every paint costs about a
// third of a millisecond under Wine, more than drawing a label.
class PaintSurface {
 public:
  PaintSurface() = default;
  ~PaintSurface();
  PaintSurface(const PaintSurface&) = delete;
  PaintSurface& operator=(const PaintSurface&) = delete;

  // The surface's device context, holding a bitmap of at least width x height compatible with
  // target; null when none could be made.
  HDC Prepare(HDC target, int width, int height);
  bool InUse() const { return inUse_; }
  void SetInUse(bool inUse) { inUse_ = inUse; }

 private:
  UniqueMemoryDc memory_;
  UniqueGdiObject bitmap_;
  HGDIOBJ original_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  bool inUse_ = false;
};

// Draws into an off-screen bitmap and copies it to the target at the end of the scope, so that
// layered drawing never flickers. The shared surface is used unless a paint already holds it;
// its device context's settings are put back after each paint.
class BufferedPaint {
 public:
  BufferedPaint(PaintSurface& shared, HDC target, int width, int height);
  ~BufferedPaint();
  BufferedPaint(const BufferedPaint&) = delete;
  BufferedPaint& operator=(const BufferedPaint&) = delete;

  // The buffer, or the target itself when no buffer could be made.
  HDC Dc() const { return buffer_ ? buffer_ : target_; }

 private:
  std::unique_ptr<PaintSurface> own_;
  PaintSurface& surface_;
  HDC target_;
  int width_;
  int height_;
  HDC buffer_;
  int saved_ = 0;
};

// Fills rect with a solid colour.
void FillSolid(HDC dc, const RECT& rect, COLORREF color);

// A one-pixel frame just inside rect.
void FrameSolid(HDC dc, const RECT& rect, COLORREF color);

}  // namespace nexolant::win32
