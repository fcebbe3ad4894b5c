// The reference cipher and the start-up loader on arbitrary bytes. Deciphering reverses
// enciphering for any key; the loader reads any file without leaving its bounds, keeps each
// names list as long as its descriptions, counts the [ScanFiles] entries among the process
// names, and leaves no temporary file behind.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fakes/memory_file_system.h"
#include "platform/portable/cp1252_locale.h"
#include "platform/portable/idle_pump.h"
#include "reference/crypt.h"
#include "reference/reference_loader.h"
#include "support/recording_warnings.h"
#include "support/stopped_clock.h"

namespace {

void CheckRoundTrip(const std::uint8_t* data, std::size_t size) {
  if (size < 6) {
    return;
  }
  nexolant::ReferenceKey key{};
  std::memcpy(&key, data, 6);
  const std::vector<std::uint8_t> plain(data + 6, data + size);
  std::vector<std::uint8_t> cipher(plain.size());
  std::vector<std::uint8_t> back(plain.size());
  if (!nexolant::EncipherBytes(plain.data(), plain.size(), cipher.data(), cipher.size(), key) ||
      !nexolant::DecipherBytes(cipher.data(), cipher.size(), back.data(), back.size(), key) ||
      back != plain) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const nexolant::platform::Cp1252Locale locale;
  static nexolant::platform::IdlePump pump;
  CheckRoundTrip(data, size);

  const std::string folder = "C:\\Program Files\\Nexolant\\";
  nexolant::MemoryFileSystem files;
  files.SetTempFolder("C:\\Temp\\");
  files.AddFile(folder + "Reference.dat", std::string(reinterpret_cast<const char*>(data), size));
  nexolant::testing::StoppedClock clock{46000.5};
  nexolant::RecordingWarnings warnings;
  nexolant::SignatureTables tables;
  nexolant::StringList details;
  nexolant::LoadReference(
      {.files = files, .clock = clock, .locale = locale, .pump = pump, .warnings = warnings},
      folder, tables, details);

  if (tables.ScanFileNames.size() != tables.ScanFileDescriptions.size() ||
      tables.ProcessNames.size() != tables.ProcessDescriptions.size() ||
      tables.RegistryNames.size() != tables.RegistryDescriptions.size() ||
      tables.ProcessNames.size() < tables.ScanFileNames.size() ||
      !files.Names("C:\\Temp\\").empty() || !warnings.Shown().empty()) {
    std::abort();
  }
  return 0;
}
