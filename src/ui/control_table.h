#pragma once

#include <functional>
#include <span>
#include <string_view>

#include "ui/control.h"
#include "ui/graphics.h"

namespace nexolant {

// Fonts of the program's layouts.
namespace fonts {
inline const ui::Font kWindow{};  // Verdana 11, the forms' default
inline const ui::Font kWindowBold{.bold = true};
inline const ui::Font kHeading{.height = 12, .bold = true};
inline const ui::Font kText{.height = 12};
inline const ui::Font kLink{.underline = true, .color = ui::colors::kBlue};
inline const ui::Font kLinkBold{.bold = true, .underline = true, .color = ui::colors::kBlue};
}  // namespace fonts

// Colours of the program's panels.
namespace panel_colors {
inline constexpr ui::Color kPanel = ui::Color::Rgb(0xEAF3FF);  // panels, lists, memo
inline constexpr ui::Color kPage = ui::Color::Rgb(0xF0F8FF);   // notebook pages, hint line
inline constexpr ui::Color kSummaryBox = ui::Color::Rgb(0xEAF3FA);
}  // namespace panel_colors

// Where a layout table hands a control it created to the page that keeps a typed pointer to
// it. A row whose kind does not fit the pointer is a fault of the table: std::bad_cast.
class ControlSlot {
 public:
  ControlSlot() = default;
  template <class T>
  ControlSlot(T*& field)  // NOLINT(google-explicit-constructor): rows read ".slot = lblNO_"
      : fill_([&field](ui::Control& control) { field = &dynamic_cast<T&>(control); }) {}

  void Fill(ui::Control& control) const {
    if (fill_) {
      fill_(control);
    }
  }

 private:
  std::function<void(ui::Control&)> fill_;
};

// One control of a layout table. Bounds with a width of 0 leave a label sized to its text;
// any other width fixes the label's size. Labels and links are transparent: they lie on
// panels and pictures.
struct ControlRow {
  std::string_view name;
  ui::ControlKind kind;
  ui::Rect bounds;
  std::string_view caption = {};
  const ui::Font* font = nullptr;  // null: the container's font (a link's: blue, underlined)
  ui::Color color = {};            // fill or background; default: the parent's
  std::string_view hint = {};      // shown as a pop-up hint
  std::string_view picture = {};   // an Image's picture, a Button's glyph
  ui::Alignment alignment = ui::Alignment::kLeft;
  bool checked = false;  // CheckBox, RadioButton
  bool enabled = true;
  bool visible = true;
  ControlSlot slot = {};  // the page's pointer to the control, if it keeps one
};

// Creates the controls of a table on container, in table order (the first at the bottom).
void BuildControls(ui::Container& container, std::span<const ControlRow> rows);

}  // namespace nexolant
