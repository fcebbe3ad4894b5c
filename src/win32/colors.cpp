#include "win32/colors.h"

namespace nexolant::win32 {

COLORREF ToColorRef(const ui::Color& color, COLORREF fallback) {
  switch (color.GetKind()) {
    case ui::Color::Kind::kRgb: {
      const std::uint32_t rgb = color.RgbValue();
      return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    }
    case ui::Color::Kind::kButtonFace:
      return GetSysColor(COLOR_BTNFACE);
    case ui::Color::Kind::kWindow:
      return GetSysColor(COLOR_WINDOW);
    case ui::Color::Kind::kWindowText:
      return GetSysColor(COLOR_WINDOWTEXT);
    case ui::Color::Kind::kDefault:
      break;
  }
  return fallback;
}

}  // namespace nexolant::win32
