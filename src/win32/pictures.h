#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>

#include "win32/unique_handle.h"

namespace nexolant::win32 {

// A bitmap from the program's resources.
struct Picture {
  UniqueGdiObject bitmap;
  int width = 0;
  int height = 0;
};

// The bitmaps of the model, by resource name, loaded once each from the executable.
class PictureCache {
 public:
  // The picture of that name, or null when the name is empty or no such resource exists.
  const Picture* Find(const std::string& name);

 private:
  std::map<std::string, Picture> pictures_;
};

// Draws picture stretched to the rectangle x, y, width, height; pixels of the transparent
// colour, when given, leave what is beneath.
void DrawPicture(HDC dc, const Picture& picture, int x, int y, int width, int height,
                 std::optional<COLORREF> transparent = std::nullopt);

// The colour of the bottom-left pixel: the transparent colour of a glyph.
COLORREF GlyphTransparentColor(const Picture& picture);

}  // namespace nexolant::win32
