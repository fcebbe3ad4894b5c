#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "fakes/memory_file_system.h"
#include "ini/big_ini_file.h"
#include "support/ascii_locale.h"
#include "support/recording_warnings.h"
#include "support/scripted_pump.h"

namespace nexolant {

// An INI store over an in-memory file system, a test locale, a scripted pump and recorded
// warnings.
class IniTest : public ::testing::Test {
 protected:
  static constexpr const char* kPath = "C:\\Program\\Nexolant.ini";

  IniTest() { files_.AddFolder("C:\\Program"); }

  std::unique_ptr<TBigIniFile> Open(const platform::Path& path = kPath) {
    return std::make_unique<TBigIniFile>(Services(), path);
  }
  std::unique_ptr<TBigIniFile> OpenWith(std::string_view contents) {
    files_.AddFile(kPath, contents);
    return Open();
  }
  IniServices Services() {
    return {.files = files_, .locale = locale_, .pump = pump_, .warnings = warnings_};
  }

  // The image as CopyToStrings shows it, one string.
  static std::string Image(TBigIniFile& ini) {
    StringList lines;
    ini.CopyToStrings(lines);
    std::string text;
    for (const std::string& line : lines) {
      text += line + "|";
    }
    return text;
  }

  MemoryFileSystem files_;
  AsciiLocale locale_;
  ScriptedPump pump_;
  RecordingWarnings warnings_;
};

}  // namespace nexolant
