#include "win32/gdi.h"

#include <algorithm>
#include <utility>

namespace nexolant::win32 {

HDC PaintSurface::Prepare(HDC target, int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (!memory_) {
    memory_.reset(CreateCompatibleDC(target));
    if (!memory_) {
      return nullptr;
    }
  }
  if (width > width_ || height > height_) {
    const int newWidth = std::max(width, width_);
    const int newHeight = std::max(height, height_);
    UniqueGdiObject bitmap(CreateCompatibleBitmap(target, newWidth, newHeight));
    if (!bitmap) {
      return nullptr;
    }
    const HGDIOBJ previous = SelectObject(memory_.get(), bitmap.get());
    if (!original_) {
      original_ = previous;
    }
    bitmap_ = std::move(bitmap);
    width_ = newWidth;
    height_ = newHeight;
  }
  return memory_.get();
}

PaintSurface::~PaintSurface() {
  // The bitmap is deleted only once the device context no longer holds it.
  if (memory_ && original_) {
    SelectObject(memory_.get(), original_);
  }
}

BufferedPaint::BufferedPaint(PaintSurface& shared, HDC target, int width, int height)
    : own_(shared.InUse() ? std::make_unique<PaintSurface>() : nullptr),
      surface_(own_ ? *own_ : shared),
      target_(target),
      width_(width),
      height_(height),
      buffer_(surface_.Prepare(target, width, height)) {
  if (buffer_) {
    saved_ = SaveDC(buffer_);
    surface_.SetInUse(true);
  }
}

BufferedPaint::~BufferedPaint() {
  if (buffer_) {
    BitBlt(target_, 0, 0, width_, height_, buffer_, 0, 0, SRCCOPY);
    RestoreDC(buffer_, saved_);
    surface_.SetInUse(false);
  }
}

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
  const UniqueGdiObject brush(CreateSolidBrush(color));
  FillRect(dc, &rect, static_cast<HBRUSH>(brush.get()));
}

void FrameSolid(HDC dc, const RECT& rect, COLORREF color) {
  const UniqueGdiObject brush(CreateSolidBrush(color));
  FrameRect(dc, &rect, static_cast<HBRUSH>(brush.get()));
}

}  // namespace nexolant::win32
