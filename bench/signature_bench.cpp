// Signature lookups against lists shaped like a real reference file: the plain linear walk
// against the indexed SignatureList, for names that miss and names that hit.
#include <benchmark/benchmark.h>

#include <array>
#include <cctype>
#include <cstddef>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/portable/cp1252_locale.h"
#include "platform/portable/idle_pump.h"
#include "reference/find_signature.h"
#include "reference/signature_list.h"
#include "support/linear_find_signature.h"

namespace nexolant {
namespace {

constexpr std::size_t kNamesPerSet = 1024;  // a power of two, cycled through by every benchmark

const platform::Cp1252Locale kLocale;

class Generator {
 public:
  explicit Generator(std::uint32_t seed) : random_(seed) {}

  std::size_t Below(std::size_t bound) {
    return std::uniform_int_distribution<std::size_t>(0, bound - 1)(random_);
  }

  std::string Word(std::size_t minLength, std::size_t maxLength, char first) {
    static constexpr char kTail[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string word;
    const std::size_t length = minLength + Below(maxLength - minLength + 1);
    for (std::size_t k = 0; k < length; ++k) {
      word.push_back(k == 0 ? static_cast<char>(first + Below(26)) : kTail[Below(36)]);
    }
    return word;
  }

  std::string Extension() {
    static constexpr std::array<const char*, 8> kExtensions{".EXE", ".DLL", ".SYS", ".OCX",
                                                            ".INI", ".DAT", ".TMP", ".CPL"};
    return kExtensions[Below(kExtensions.size())];
  }

  // Mostly literal names, then "*WORD.EXT" and "*.EXT" tails, "WORD*" and "WORD*.EXT" heads,
  // and a few "WORD?.EXT".
  std::string Pattern() {
    const std::size_t kind = Below(100);
    if (kind < 70) {
      return Word(3, 10, 'A') + Extension();
    }
    if (kind < 80) {
      const std::string tail = Word(3, 8, 'A') + Extension();
      return "*" + tail;
    }
    if (kind < 82) {
      return "*." + Word(3, 3, 'A');
    }
    if (kind < 90) {
      return Word(4, 8, 'A') + "*";
    }
    if (kind < 97) {
      return Word(4, 8, 'A') + "*" + Extension();
    }
    return Word(4, 8, 'A') + "?" + Extension();
  }

  // A file name as a scan meets it, in lower case.
  std::string Name() {
    std::string name = Word(3, 12, 'A') + Extension();
    for (char& c : name) {
      if (c >= 'A' && c <= 'Z') {
        c = static_cast<char>(c - 'A' + 'a');
      }
    }
    return name;
  }

  // A name the pattern matches: each wildcard filled with one character.
  std::string NameFor(const std::string& pattern) {
    std::string name;
    for (const char c : pattern) {
      name.push_back(c == '*' || c == '?' ? '_' : static_cast<char>(std::tolower(c)));
    }
    return name;
  }

 private:
  std::mt19937 random_;
};

struct Workload {
  StringList patterns;
  SignatureList list;
  std::vector<std::string> misses;
  std::vector<std::string> hits;
};

const Workload& WorkloadOf(std::size_t count) {
  static std::map<std::size_t, std::unique_ptr<Workload>> cache;
  std::unique_ptr<Workload>& workload = cache[count];
  if (workload) {
    return *workload;
  }
  workload = std::make_unique<Workload>();
  Generator generator(static_cast<std::uint32_t>(count));
  for (std::size_t k = 0; k < count; ++k) {
    workload->patterns.push_back(generator.Pattern());
  }
  workload->list.Assign(workload->patterns, kLocale);
  while (workload->misses.size() < kNamesPerSet) {
    std::string name = generator.Name();
    if (workload->list.Find(name) == -1) {
      workload->misses.push_back(std::move(name));
    }
  }
  while (workload->hits.size() < kNamesPerSet) {
    std::string name = generator.NameFor(workload->patterns[generator.Below(count)]);
    if (workload->list.Find(name) != -1) {
      workload->hits.push_back(std::move(name));
    }
  }
  return *workload;
}

void LinearLookups(benchmark::State& state, bool hit) {
  const Workload& workload = WorkloadOf(static_cast<std::size_t>(state.range(0)));
  const std::vector<std::string>& names = hit ? workload.hits : workload.misses;
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        LinearFindSignature(names[next++ % kNamesPerSet], workload.patterns, kLocale));
  }
}

void IndexedLookups(benchmark::State& state, bool hit) {
  const Workload& workload = WorkloadOf(static_cast<std::size_t>(state.range(0)));
  const std::vector<std::string>& names = hit ? workload.hits : workload.misses;
  platform::IdlePump pump;
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FindSignature(names[next++ % kNamesPerSet], workload.list, pump));
  }
}

void BM_LinearMiss(benchmark::State& state) {
  LinearLookups(state, false);
}
void BM_IndexedMiss(benchmark::State& state) {
  IndexedLookups(state, false);
}
void BM_LinearHit(benchmark::State& state) {
  LinearLookups(state, true);
}
void BM_IndexedHit(benchmark::State& state) {
  IndexedLookups(state, true);
}

// The one-time cost at start-up: upper-casing every pattern and building the index.
void BM_Assign(benchmark::State& state) {
  const Workload& workload = WorkloadOf(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    SignatureList list;
    list.Assign(workload.patterns, kLocale);
    benchmark::DoNotOptimize(list);
  }
}

BENCHMARK(BM_LinearMiss)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_IndexedMiss)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_LinearHit)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_IndexedHit)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_Assign)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nexolant

BENCHMARK_MAIN();
