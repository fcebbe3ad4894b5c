#include "win32/font_cache.h"

#include <cmath>

namespace nexolant::win32 {

HFONT FontCache::Get(const ui::Font& font) {
  const Key key{font.face, font.height, font.bold, font.underline};
  auto found = fonts_.find(key);
  if (found == fonts_.end()) {
    const int height = static_cast<int>(std::lround(font.height * scale_));
    UniqueGdiObject handle(CreateFontA(-height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE,
                                       font.underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET,
                                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                       DEFAULT_PITCH | FF_DONTCARE, font.face.c_str()));
    found = fonts_.emplace(key, std::move(handle)).first;
  }
  return static_cast<HFONT>(found->second.get());
}

}  // namespace nexolant::win32
