#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "ui/button.h"

// Names of the pictures in the program's resources (src/win32/resources/artwork.rc), as the
// forms that show them refer to them. The windows take the executable's icon. A new name also
// goes into kPictures or kImageButtonStems below, whose names the Win32 tests look up in the
// resources.
namespace nexolant::artwork {

inline constexpr const char* kSplash = "SPLASH";           // 876 x 525
inline constexpr const char* kBackground = "BACKGROUND";   // 800 x 394
inline constexpr const char* kTitleStrip = "TITLE_STRIP";  // 502 x 30
inline constexpr const char* kStatusIcon = "STATUS_OK";    // 21 x 21, Status page
inline constexpr const char* kScanPageIcon = "PAGE_ICON_SCAN";
inline constexpr const char* kMonitorPageIcon = "PAGE_ICON_MONITOR";
inline constexpr const char* kQuarantinePageIcon = "PAGE_ICON_QUARANTINE";
inline constexpr const char* kScanDone = "SCAN_DONE";  // 17 x 17
// The executable's own icon, by its resource number: the windows' and the tray icon's.
inline constexpr const char* kApplicationIcon = "#1";

// The update dialog's background (437 x 128) and icon (32 x 32).
inline constexpr const char* kUpdateBackground = "UPDATE_BACKGROUND";
inline constexpr const char* kUpdateIcon = "UPDATE_ICON";

// Glyphs of the side buttons.
inline constexpr const char* kGlyphStatus = "GLYPH_PAGE_STATUS";
inline constexpr const char* kGlyphScan = "GLYPH_PAGE_SCAN";
inline constexpr const char* kGlyphActive = "GLYPH_PAGE_MONITOR";
inline constexpr const char* kGlyphSettings = "GLYPH_PAGE_SETTINGS";
inline constexpr const char* kGlyphQuarantine = "GLYPH_PAGE_QUARANTINE";
inline constexpr const char* kGlyphHelp = "GLYPH_PAGE_HELP";

// Glyphs of the push buttons.
inline constexpr const char* kGlyphNext = "GLYPH_NEXT";
inline constexpr const char* kGlyphStop = "GLYPH_STOP";
inline constexpr const char* kGlyphCancel = "GLYPH_CANCEL";
inline constexpr const char* kGlyphRepair = "GLYPH_REPAIR";
inline constexpr const char* kGlyphRestore = "GLYPH_RESTORE";
inline constexpr const char* kGlyphEmpty = "GLYPH_EMPTY";
inline constexpr const char* kGlyphOk = "GLYPH_OK";
inline constexpr const char* kGlyphUpdate = "GLYPH_UPDATE";

// The image buttons of the right column and the title strip: each has three pictures named
// from its stem with "_NORMAL", "_HOT" and "_DOWN".
inline constexpr const char* kButtonScan = "BTN_SCAN";
inline constexpr const char* kButtonSettings = "BTN_SETTINGS";
inline constexpr const char* kButtonQuarantine = "BTN_QUARANTINE";
inline constexpr const char* kButtonUpdate = "BTN_UPDATE";
inline constexpr const char* kButtonInfo = "BTN_INFO";
inline constexpr const char* kButtonHelp = "BTN_HELP";

inline constexpr std::array kPictures = {
    kSplash,          kBackground,         kTitleStrip,      kStatusIcon,   kScanPageIcon,
    kMonitorPageIcon, kQuarantinePageIcon, kScanDone,        kGlyphStatus,  kGlyphScan,
    kGlyphActive,     kGlyphSettings,      kGlyphQuarantine, kGlyphHelp,    kGlyphNext,
    kGlyphStop,       kGlyphCancel,        kGlyphRepair,     kGlyphRestore, kGlyphEmpty,
    kGlyphOk,         kUpdateBackground,   kUpdateIcon,      kGlyphUpdate,
};

inline constexpr std::array kImageButtonStems = {
    kButtonScan, kButtonSettings, kButtonQuarantine, kButtonUpdate, kButtonInfo, kButtonHelp,
};

// The three pictures of the image button with that stem.
inline ui::ImageButtonPictures ImageButtonPicturesOf(std::string_view stem) {
  const std::string name(stem);
  return {name + "_NORMAL", name + "_HOT", name + "_DOWN"};
}

// Every picture name the program uses: kPictures and the three pictures of each stem.
inline std::vector<std::string> AllPictureNames() {
  std::vector<std::string> names(kPictures.begin(), kPictures.end());
  for (const char* stem : kImageButtonStems) {
    const ui::ImageButtonPictures pictures = ImageButtonPicturesOf(stem);
    names.insert(names.end(), {pictures.normal, pictures.highlighted, pictures.pressed});
  }
  return names;
}

}  // namespace nexolant::artwork
