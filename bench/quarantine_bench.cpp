// The quarantine at scale: Repair quarantining n files, the start-up rebuild of a list of n
// entries and Empty of n entries, each with the Quarantine page showing the list, over an
// in-memory file system that counts the bytes written.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fakes/fake_folder_lock.h"
#include "fakes/fake_processes.h"
#include "fakes/fake_signature_evidence.h"
#include "fakes/fake_startup_services.h"
#include "fakes/memory_file_system.h"
#include "fakes/memory_registry.h"
#include "idle_backend.h"
#include "platform/portable/cp1252_locale.h"
#include "quarantine/quarantine_page.h"
#include "quarantine/quarantine_store.h"
#include "reference/signature_source.h"
#include "repair/repair.h"
#include "scan/finding.h"
#include "support/stopped_clock.h"
#include "ui/application.h"
#include "ui/application_backend.h"
#include "ui/deferred_actions.h"
#include "ui/exclusive_actions.h"
#include "ui/form.h"
#include "ui/notebook.h"

namespace nexolant {
namespace {

constexpr const char* kProgram = "C:\\Program Files\\Nexolant\\";
constexpr const char* kBad = "C:\\Bad";

using bench::IdleBackend;

// Counts the bytes the program writes into files.
class CountingFiles final : public MemoryFileSystem {
 public:
  void ReplaceWholeFile(const platform::Path& path, std::string_view data) override {
    written += data.size();
    MemoryFileSystem::ReplaceWholeFile(path, data);
  }
  void WriteWholeFile(const platform::Path& path, std::string_view data) override {
    written += data.size();
    MemoryFileSystem::WriteWholeFile(path, data);
  }
  std::uint64_t written = 0;
};

class Signatures final : public SignatureSource {
 public:
  explicit Signatures(const platform::Locale& locale) {
    tables_.ScanFileNames.Assign({"BADFILE*.EXE", "SPY?.DLL"}, locale);
    tables_.ScanFileDescriptions = {"Bad file", "Spy library"};
  }
  const SignatureTables& Tables() const override { return tables_; }

 private:
  SignatureTables tables_;
};

std::string Name(int k) {
  return "badfile" + std::to_string(k) + ".exe";
}

// The program folder, the Quarantine page on a form of its own, and n files at C:\Bad.
struct Workload {
  explicit Workload(int n) : count(n) {
    files.AddFolder(kProgram);
    for (int k = 0; k < n; ++k) {
      files.AddFile(std::string(kBad) + "\\" + Name(k), "x");
    }
  }

  // Repair of one file finding per planted file.
  void Repair() {
    std::vector<Finding> findings;
    for (int k = 0; k < count; ++k) {
      findings.push_back({RowKind::kFile, {Name(k), kBad, "Bad file"}, {}});
    }
    const protection::ProtectionPolicy protection({.files = files,
                                                   .registry = registry,
                                                   .locale = locale,
                                                   .ownProcessId = 0,
                                                   .processes = processes,
                                                   .evidence = evidence});
    const IgnoredObjects ignored({.files = files,
                                  .verifier = platform::SystemSignatureVerifier(),
                                  .clock = clock,
                                  .pump = application,
                                  .lock = lock},
                                 "C:\\Program Files\\Nexolant\\Ignored.txt");
    nexolant::Repair repair({.files = files,
                             .registry = registry,
                             .processes = processes,
                             .tasks = tasks,
                             .serviceControl = serviceControl,
                             .clock = clock,
                             .locale = locale,
                             .protection = protection,
                             .ignored = ignored,
                             .pump = application,
                             .folderLock = lock},
                            statistics, store);
    repair.Run(findings, true);
  }

  const int count;
  CountingFiles files;
  MemoryRegistry registry;
  FakeProcessApi processes;
  testing::StoppedClock clock{46000.5};
  platform::Cp1252Locale locale;
  IdleBackend backend;
  ui::Application application{backend};
  Signatures signatures{locale};
  UsageStatistics statistics;
  FakeProcessApi processes;
  const FakeSignatureEvidence evidence;
  protection::ProtectionPolicy protection{{.files = files,
                                           .registry = registry,
                                           .locale = locale,
                                           .ownProcessId = 1,
                                           .processes = processes,
                                           .evidence = evidence}};
  FakeScheduledTasks tasks;
  FakeServiceControl serviceControl{registry};
  FakeFolderLock lock;
  QuarantineStore store{{.ini = {files, locale, application, application},
                         .registry = registry,
                         .tasks = tasks,
                         .programFolder = kProgram,
                         .statistics = statistics,
                         .signatures = signatures,
                         .protection = protection,
                         .lock = lock}};
  ui::Form form{"Bench"};
  ui::ExclusiveActions actions;
  ui::DeferredActions deferred{application};
  QuarantinePage page{form.Add<ui::Notebook>("Notebook").AddPage("Quarantine"),
                      store,
                      locale,
                      application,
                      actions,
                      deferred};
};

void BM_RepairQuarantinesFiles(benchmark::State& state) {
  std::uint64_t written = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto workload = std::make_unique<Workload>(static_cast<int>(state.range(0)));
    state.ResumeTiming();
    workload->Repair();
    state.PauseTiming();
    written = workload->files.written;
    workload.reset();
    state.ResumeTiming();
  }
  state.counters["bytes_written"] = static_cast<double>(written);
}

void BM_StartWithEntries(benchmark::State& state) {
  Workload quarantined(static_cast<int>(state.range(0)));
  quarantined.Repair();
  for (auto _ : state) {
    state.PauseTiming();
    auto workload = std::make_unique<Workload>(0);
    workload->files = quarantined.files;
    state.ResumeTiming();
    workload->page.Rebuild();
    state.PauseTiming();
    workload.reset();
    state.ResumeTiming();
  }
}

void BM_EmptyEntries(benchmark::State& state) {
  Workload quarantined(static_cast<int>(state.range(0)));
  quarantined.Repair();
  std::uint64_t written = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto workload = std::make_unique<Workload>(0);
    workload->files = quarantined.files;
    workload->page.Rebuild();
    workload->files.written = 0;
    state.ResumeTiming();
    workload->store.Empty();
    state.PauseTiming();
    written = workload->files.written;
    workload.reset();
    state.ResumeTiming();
  }
  state.counters["bytes_written"] = static_cast<double>(written);
}

BENCHMARK(BM_RepairQuarantinesFiles)
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(BM_StartWithEntries)
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(BM_EmptyEntries)
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
}  // namespace nexolant

BENCHMARK_MAIN();
