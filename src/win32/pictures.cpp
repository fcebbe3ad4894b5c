#include "win32/pictures.h"

#include "win32/gdi.h"

namespace nexolant::win32 {

const Picture* PictureCache::Find(const std::string& name) {
  if (name.empty()) {
    return nullptr;
  }
  auto found = pictures_.find(name);
  if (found == pictures_.end()) {
    Picture picture;
    picture.bitmap.reset(LoadImageA(GetModuleHandleA(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0,
                                    LR_CREATEDIBSECTION));
    BITMAP info{};
    if (picture.bitmap && GetObjectA(picture.bitmap.get(), sizeof info, &info)) {
      picture.width = info.bmWidth;
      picture.height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    }
    found = pictures_.emplace(name, std::move(picture)).first;
  }
  return found->second.bitmap ? &found->second : nullptr;
}

void DrawPicture(HDC dc, const Picture& picture, int x, int y, int width, int height,
                 std::optional<COLORREF> transparent) {
  const UniqueMemoryDc source(CreateCompatibleDC(dc));
  if (!source) {
    return;
  }
  const SelectedObject selected(source.get(), picture.bitmap.get());
  if (transparent) {
    GdiTransparentBlt(dc, x, y, width, height, source.get(), 0, 0, picture.width, picture.height,
                      *transparent);
  } else if (width == picture.width && height == picture.height) {
    BitBlt(dc, x, y, width, height, source.get(), 0, 0, SRCCOPY);
  } else {
    SetStretchBltMode(dc, HALFTONE);
    StretchBlt(dc, x, y, width, height, source.get(), 0, 0, picture.width, picture.height, SRCCOPY);
  }
}

COLORREF GlyphTransparentColor(const Picture& picture) {
  const UniqueMemoryDc source(CreateCompatibleDC(nullptr));
  if (!source) {
    return RGB(255, 0, 255);
  }
  const SelectedObject selected(source.get(), picture.bitmap.get());
  return GetPixel(source.get(), 0, picture.height - 1);
}

}  // namespace nexolant::win32
