// The INI engine's written form reloads to the same image: arbitrary file content is loaded,
// changed by a sequence of writes and deletions taken from the input, written, and loaded
// again; the two images must be equal. Writes that Storable refuses are left out, since the
// file format cannot hold them.
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

namespace {

// Splits the input at NUL bytes: the file content first, then one operation per four
// pieces (kind, section, key, value).
class Pieces {
 public:
  explicit Pieces(std::string_view data) : data_(data) {}
  bool Empty() const { return data_.empty(); }
  std::string_view Next() {
    const std::size_t end = data_.find('\0');
    const std::string_view piece = data_.substr(0, end);
    data_ = end == std::string_view::npos ? std::string_view() : data_.substr(end + 1);
    return piece;
  }

 private:
  std::string_view data_;
};

nexolant::StringList Image(nexolant::TBigIniFile& ini) {
  nexolant::StringList image;
  ini.CopyToStrings(image);
  return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const nexolant::platform::Cp1252Locale locale;
  static nexolant::platform::IdlePump pump;
  const std::string path = "C:\\Temp\\Fuzz.ini";

  Pieces pieces(std::string_view(reinterpret_cast<const char*>(data), size));
  nexolant::MemoryFileSystem files;
  nexolant::RecordingWarnings warnings;
  files.AddFile(path, pieces.Next());
  const nexolant::IniServices services{
      .files = files, .locale = locale, .pump = pump, .warnings = warnings};

  nexolant::StringList written;
  {
    nexolant::TBigIniFile ini(services, path);
    while (!pieces.Empty()) {
      const std::string_view kind = pieces.Next();
      const std::string section(pieces.Next());
      const std::string key(pieces.Next());
      const std::string value(pieces.Next());
      if (!kind.empty() && kind[0] % 2 == 1) {
        ini.DeleteKey(section, key);
      } else if (nexolant::TBigIniFile::Storable(section, key, value)) {
        ini.WriteString(section, key, value);
        if (ini.ReadString(section, key, "\x01") != value) {
          std::abort();
        }
      }
    }
    // A change that is undone again still makes the flush write the whole image.
    ini.WriteString("\x02roundtrip", "key", "value");
    ini.EraseSection("\x02roundtrip");
    written = Image(ini);
  }
  if (!warnings.Shown().empty()) {
    std::abort();
  }
  nexolant::TBigIniFile reloaded(services, path);
  if (Image(reloaded) != written) {
    std::abort();
  }
  return 0;
}
