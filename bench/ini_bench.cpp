// The INI engine on a large file: loading it and reading every section in file order, as the
// program reads its settings and the reference loader reads a reference file.
#include <benchmark/benchmark.h>

#include <string>

#include "fakes/memory_file_system.h"
#include "ini/big_ini_file.h"
#include "platform/portable/cp1252_locale.h"
#include "platform/portable/idle_pump.h"
#include "support/recording_warnings.h"

namespace nexolant {
namespace {

constexpr int kKeysPerSection = 100;

std::string SectionName(int section) {
  return "Section" + std::to_string(section);
}

std::string IniText(int sections) {
  std::string text;
  for (int section = 0; section < sections; ++section) {
    text += '[';
    text += SectionName(section);
    text += "]\r\n";
    for (int line = 0; line < kKeysPerSection; ++line) {
      text += "Key" + std::to_string(line) + "=Value " + std::to_string(section) + "\r\n";
    }
  }
  return text;
}

void BM_LoadAndReadEverySection(benchmark::State& state) {
  const int sections = static_cast<int>(state.range(0));
  const std::string path = "C:\\Program\\Big.ini";
  MemoryFileSystem files;
  files.AddFolder("C:\\Program");
  files.AddFile(path, IniText(sections));
  const platform::Cp1252Locale locale;
  platform::IdlePump pump;
  RecordingWarnings warnings;
  StringList keys;
  for (auto _ : state) {
    TBigIniFile ini({.files = files, .locale = locale, .pump = pump, .warnings = warnings}, path);
    for (int section = 0; section < sections; ++section) {
      ini.ReadSection(SectionName(section), keys);
    }
    benchmark::DoNotOptimize(keys);
  }
  state.counters["lines"] = static_cast<double>(sections) * (kKeysPerSection + 1);
}

BENCHMARK(BM_LoadAndReadEverySection)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nexolant

BENCHMARK_MAIN();
