#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "ui/graphics.h"
#include "win32/unique_handle.h"

namespace nexolant::win32 {

// The fonts of the model, made once each and kept while the cache lives. Heights are
// character heights in pixels (a negative lfHeight), scaled for the display; the face is
// asked for by name and the system substitutes one it has.
class FontCache {
 public:
  // scale: the display's pixels per logical inch over 96.
  explicit FontCache(double scale = 1.0) : scale_(scale) {}

  HFONT Get(const ui::Font& font);

 private:
  using Key = std::tuple<std::string, int, bool, bool>;

  double scale_;
  std::map<Key, UniqueGdiObject> fonts_;
};

}  // namespace nexolant::win32
