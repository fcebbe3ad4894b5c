// Signature lookups against lists shaped like a real reference file: the plain linear walk
// against the indexed SignatureList, for names that miss and names that hit.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/portable/cp1252_locale.h"
#include "platform/portable/idle_pump.h"
#include "reference/find_signature.h"
#include "reference/signature_list.h"
#include "signature_patterns.h"
#include "support/linear_find_signature.h"

namespace nexolant {
namespace {

constexpr std::size_t kNamesPerSet = 1024;  // a power of two, cycled through by every benchmark

const platform::Cp1252Locale kLocale;

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
  bench::PatternGenerator generator(static_cast<std::uint32_t>(count));
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

// The program's look-up, which passes over inert patterns, with one pattern in 50 marked.
void ActiveLookups(benchmark::State& state, bool hit) {
  static std::map<std::size_t, std::unique_ptr<SignatureList>> marked;
  const std::size_t count = static_cast<std::size_t>(state.range(0));
  const Workload& workload = WorkloadOf(count);
  std::unique_ptr<SignatureList>& list = marked[count];
  if (!list) {
    list = std::make_unique<SignatureList>();
    list->Assign(workload.patterns, kLocale);
    for (std::size_t index = 0; index < count; index += 50) {
      list->MarkInert(index);
    }
  }
  const std::vector<std::string>& names = hit ? workload.hits : workload.misses;
  platform::IdlePump pump;
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FindActiveSignature(names[next++ % kNamesPerSet], *list, pump));
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

void BM_ActiveMiss(benchmark::State& state) {
  ActiveLookups(state, false);
}
void BM_ActiveHit(benchmark::State& state) {
  ActiveLookups(state, true);
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
BENCHMARK(BM_ActiveMiss)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_ActiveHit)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_Assign)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nexolant

BENCHMARK_MAIN();
