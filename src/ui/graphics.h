#pragma once

#include <cstdint>
#include <string>

namespace nexolant::ui {

// A rectangle in pixels, relative to the client area of the parent (or to the screen for a
// form).
struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  int Right() const { return left + width; }
  int Bottom() const { return top + height; }
  bool operator==(const Rect&) const = default;
};

// A colour: an explicit #RRGGBB value, one of the system colours, or "default", which means
// whatever the control's kind takes when nothing is said (usually the parent's colour).
class Color {
 public:
  enum class Kind { kDefault, kRgb, kButtonFace, kWindow, kWindowText };

  constexpr Color() = default;
  static constexpr Color Rgb(std::uint32_t rgb) { return Color(Kind::kRgb, rgb & 0xFFFFFF); }
  static constexpr Color ButtonFace() { return Color(Kind::kButtonFace, 0); }
  static constexpr Color Window() { return Color(Kind::kWindow, 0); }
  static constexpr Color WindowText() { return Color(Kind::kWindowText, 0); }

  constexpr Kind GetKind() const { return kind_; }
  constexpr bool IsDefault() const { return kind_ == Kind::kDefault; }
  // The #RRGGBB value; meaningful only for Kind::kRgb.
  constexpr std::uint32_t RgbValue() const { return rgb_; }

  constexpr bool operator==(const Color&) const = default;

 private:
  constexpr Color(Kind kind, std::uint32_t rgb) : kind_(kind), rgb_(rgb) {}

  Kind kind_ = Kind::kDefault;
  std::uint32_t rgb_ = 0;
};

namespace colors {
inline constexpr Color kBlack = Color::Rgb(0x000000);
inline constexpr Color kWhite = Color::Rgb(0xFFFFFF);
inline constexpr Color kRed = Color::Rgb(0xFF0000);
inline constexpr Color kGreen = Color::Rgb(0x008000);
inline constexpr Color kBlue = Color::Rgb(0x0000FF);
inline constexpr Color kNavy = Color::Rgb(0x000080);
inline constexpr Color kAqua = Color::Rgb(0x00FFFF);
inline constexpr Color kFuchsia = Color::Rgb(0xFF00FF);
}  // namespace colors

// A font: face name, character height in pixels, style and text colour.
struct Font {
  std::string face = "Verdana";
  int height = 11;
  bool bold = false;
  bool underline = false;
  Color color = Color::WindowText();

  bool operator==(const Font&) const = default;
};

enum class Cursor { kDefault, kHand, kHourGlass };

enum class Alignment { kLeft, kRight, kCenter };

}  // namespace nexolant::ui
