#pragma once

namespace nexolant::ui {

// How pop-up hint windows look, for the whole application.
struct HintStyle {
  bool rounded = false;
  int shadowOffset = 0;
  bool pointerTail = false;
  bool centered = false;

  bool operator==(const HintStyle&) const = default;
};

}  // namespace nexolant::ui
