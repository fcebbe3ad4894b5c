// The INI engine on arbitrary file content: every read operation, a write, the flush and a
// reload must stay within bounds, and a written key must read back after the reload.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fakes/memory_file_system.h"
#include "ini/big_ini_file.h"
#include "platform/portable/cp1252_locale.h"
#include "platform/portable/idle_pump.h"
#include "support/recording_warnings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const nexolant::platform::Cp1252Locale locale;
  static nexolant::platform::IdlePump pump;
  const std::string path = "C:\\Temp\\Fuzz.ini";

  nexolant::MemoryFileSystem files;
  nexolant::RecordingWarnings warnings;
  files.AddFile(path, std::string_view(reinterpret_cast<const char*>(data), size));
  const nexolant::IniServices services{
      .files = files, .locale = locale, .pump = pump, .warnings = warnings};
  {
    nexolant::TBigIniFile ini(services, path);
    nexolant::StringList sections;
    ini.ReadSections(sections);
    for (const std::string& section : sections) {
      nexolant::StringList keys;
      nexolant::StringList lines;
      ini.ReadSection(section, keys);
      ini.ReadSectionValues(section, lines);
      for (const std::string& key : keys) {
        ini.ReadInteger(section, key, 0);
        ini.ReadString(section, key, "");
      }
    }
    nexolant::StringList image;
    ini.CopyToStrings(image);
    ini.WriteString("Fuzz", "Key", "Value");
  }
  nexolant::TBigIniFile reloaded(services, path);
  if (reloaded.ReadString("Fuzz", "Key", "") != "Value") {
    std::abort();
  }
  return 0;
}
