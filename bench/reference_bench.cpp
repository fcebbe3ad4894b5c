// The start-up load of a reference file of 100,000 signatures, as the program does it:
// decipher into a temporary file, read the INI text, fill the six lists and build the index.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>

#include "fakes/memory_file_system.h"
#include "platform/portable/cp1252_locale.h"
#include "platform/portable/idle_pump.h"
#include "platform/warning_sink.h"
#include "protection/name_sample.h"
#include "reference/reference_loader.h"
#include "signature_patterns.h"
#include "support/encipher_reference.h"
#include "support/stopped_clock.h"

namespace nexolant {
namespace {

constexpr const char* kFolder = "C:\\Program\\";

class NoWarnings : public platform::WarningSink {
 public:
  void ShowWarning(const std::string&, const std::string&) override {}
};

// 70,000 file names, 10,000 process names and 20,000 registry keys, with their descriptions.
std::string ReferenceText() {
  bench::PatternGenerator generator(100000);
  std::string text = "[ScanFiles]\n";
  for (int k = 0; k < 70000; ++k) {
    text += generator.Pattern() + "=Adware component " + std::to_string(k) + "\n";
  }
  text += "[OtherKill]\n";
  for (int k = 0; k < 10000; ++k) {
    text += generator.Word(4, 10, 'A') + ".EXE=Spyware process " + std::to_string(k) + "\n";
  }
  text += "[Registry]\n";
  for (int k = 0; k < 20000; ++k) {
    text += generator.Word(5, 14, 'A') + "=Tracking key " + std::to_string(k) + "\n";
  }
  return text;
}

// The load alone, or with the program's marking of too-broad patterns.
void ReferenceLoad(benchmark::State& state, const NameSample& tooBroad) {
  MemoryFileSystem files;
  files.AddFolder(kFolder);
  files.AddFile(std::string(kFolder) + "Reference.dat",
                testing::EncipherReference(ReferenceText()));
  nexolant::testing::StoppedClock clock{46000.5};
  const platform::Cp1252Locale locale;
  platform::IdlePump pump;
  NoWarnings warnings;
  std::size_t signatures = 0;
  std::size_t inert = 0;
  for (auto _ : state) {
    SignatureTables tables;
    StringList details;
    LoadReference(
        {.files = files, .clock = clock, .locale = locale, .pump = pump, .warnings = warnings},
        kFolder, tables, details, tooBroad);
    // The process names are those of [OtherKill] followed by those of [ScanFiles].
    signatures = tables.ProcessNames.size() + tables.RegistryNames.size();
    inert = tables.ProcessNames.InertCount() + tables.RegistryNames.InertCount();
    benchmark::DoNotOptimize(tables);
  }
  state.counters["signatures"] = static_cast<double>(signatures);
  state.counters["inert"] = static_cast<double>(inert);
}

void BM_ReferenceLoad(benchmark::State& state) {
  ReferenceLoad(state, {});
}

void BM_ReferenceLoadMarkingTooBroad(benchmark::State& state) {
  ReferenceLoad(state, protection::TooBroadSample());
}

BENCHMARK(BM_ReferenceLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReferenceLoadMarkingTooBroad)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nexolant

BENCHMARK_MAIN();
