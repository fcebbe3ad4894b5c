#include "win32/gdi.h"

namespace nexolant::win32 {

BufferedPaint::BufferedPaint(HDC target, int width, int height)
    : target_(target),
      width_(width),
      height_(height),
      memory_(CreateCompatibleDC(target)),
      bitmap_(CreateCompatibleBitmap(target, width > 0 ? width : 1, height > 0 ? height : 1)) {
  if (memory_ && bitmap_) {
    previous_ = SelectObject(memory_.get(), bitmap_.get());
  }
}

BufferedPaint::~BufferedPaint() {
  if (previous_) {
    BitBlt(target_, 0, 0, width_, height_, memory_.get(), 0, 0, SRCCOPY);
    SelectObject(memory_.get(), previous_);
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
