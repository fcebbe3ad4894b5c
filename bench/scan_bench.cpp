// The file phase of a scan against the bare walk of the same tree: how much the handling of
// each entry (showing it, counting it, looking it up in 10,000 signatures, each match in the
// ignore list of the first argument's size, and with the second argument 10,000 hash signatures
// that read the files of their sizes) costs beside the walk itself. The labels are real
// controls of the Scanning page; a stand-in for the renderer counts the property changes they
// notify. Then the hashing of files against a plain read of the same files.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fakes/fake_folder_lock.h"
#include "fakes/fake_processes.h"
#include "fakes/fake_signature_evidence.h"
#include "fakes/memory_file_system.h"
#include "fakes/memory_registry.h"
#include "ignore_list_bench.h"
#include "platform/file_digest.h"
#include "platform/portable/cp1252_locale.h"
#include "platform/portable/idle_pump.h"
#include "platform/portable/std_file_system.h"
#include "reference/signature_source.h"
#include "scan/file_scan.h"
#include "scan/findings.h"
#include "scan/scan_log.h"
#include "scan/scan_results.h"
#include "scan/scanning_page.h"
#include "scan/t_recurse_dir.h"
#include "scan_tree.h"
#include "ui/control_observer.h"
#include "ui/form.h"
#include "ui/list_view.h"
#include "ui/notebook.h"

namespace nexolant {
namespace {

const platform::Cp1252Locale kLocale;

std::string TreeRoot() {
  static const std::string root = [] {
    bench::EnsureScanTree(NEXOLANT_SCAN_TREE);
    return std::string(NEXOLANT_SCAN_TREE);
  }();
  return root;
}

class Signatures : public SignatureSource {
 public:
  explicit Signatures(bool hashes) {
    const StringList patterns = bench::ScanSignatures();
    tables_.ScanFileNames.Assign(patterns, kLocale);
    tables_.ScanFileDescriptions.assign(patterns.size(), "Known file");
    if (hashes) {
      tables_.FileHashes =
          HashSignatures::FromLines(bench::HashSignatureLines(platform::SystemSignatureVerifier()));
    }
  }
  const SignatureTables& Tables() const override { return tables_; }

 private:
  SignatureTables tables_;
};

// Counts what a renderer would be told.
class CountingRenderer : public ui::ControlObserver {
 public:
  void ControlChanged(ui::Control&, ui::Property) override { ++changes; }
  void ListChanged(ui::ListView&, const ui::ListChange&) override { ++changes; }
  long long changes = 0;
};

void BM_BareWalk(benchmark::State& state) {
  platform::StdFileSystem files;
  TRecurseDir walker(files);
  long long entries = 0;
  walker.OnFileFound = [&entries](TRecurseDir&, const std::string&) { ++entries; };
  walker.SetDirectory(TreeRoot());
  for (auto _ : state) {
    walker.Run();
  }
  state.SetItemsProcessed(entries);
}

void BM_FilePhase(benchmark::State& state) {
  platform::StdFileSystem files;
  platform::IdlePump pump;
  const Signatures signatures(state.range(1) != 0);
  ui::Form form("Bench");
  ui::NotebookPage& page = form.Add<ui::Notebook>("Notebook").AddPage("Scanning");
  ScanningPage scanning(page, kLocale);
  ui::ListView& report = page.Add<ui::ListView>("Report");
  Findings findings;
  findings.OnCleared = [&report] { report.Clear(); };
  findings.OnAdded = [&report](const Finding& found) {
    report.Add(found.row.Caption, {found.row.Location, found.row.Description});
  };
  CountingRenderer renderer;
  form.SetObserver(&renderer);
  ScanResults results(findings, scanning);
  MemoryRegistry registry;
  FakeProcessApi processes;
  const FakeSignatureEvidence evidence;
  const protection::ProtectionPolicy protection({.files = files,
                                                 .registry = registry,
                                                 .locale = kLocale,
                                                 .ownProcessId = 0,
                                                 .processes = processes,
                                                 .evidence = evidence});
  const std::string listFile = TreeRoot() + "-ignored.txt";
  files.WriteWholeFile(listFile, bench::IgnoreListText(static_cast<int>(state.range(0)) / 2));
  bench::StillClock clock;
  FakeFolderLock lock;
  IgnoredObjects ignored({.files = files,
                          .verifier = platform::SystemSignatureVerifier(),
                          .clock = clock,
                          .pump = pump,
                          .lock = lock},
                         listFile);
  ignored.Load();
  FileScan fileScan(
      results, signatures, protection, ignored, pump,
      {.files = files, .verifier = platform::SystemSignatureVerifier(), .pump = pump});
  TRecurseDir walker(files);
  walker.OnFileFound = [&fileScan](TRecurseDir& sender, const std::string& fileName) {
    fileScan.RecurseDirFileFound(sender, fileName);
  };
  walker.SetDirectory(TreeRoot());
  long long entries = 0;
  long long rows = 0;
  for (auto _ : state) {
    state.PauseTiming();
    results.ResetScanCounters();
    results.ClearReport();
    state.ResumeTiming();
    walker.Run();
    entries += results.Counters().ObjectsScanned;
    rows += report.Count();
  }
  state.SetItemsProcessed(entries);
  state.counters["rows"] =
      benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kAvgIterations);
  state.counters["changes_per_entry"] =
      static_cast<double>(renderer.changes) / static_cast<double>(entries);
}

// The scan's log, made once at its end from what it found: a scan's fixed cost (arg 0) and the
// cost of each found row, the file written and the old logs counted included.
void BM_ScanLog(benchmark::State& state) {
  MemoryFileSystem files;
  files.AddFolder("C:\\Nexolant");
  bench::StillClock clock;
  struct : platform::WarningSink {
    void ShowWarning(const std::string&, const std::string&) override { ++warnings; }
    int warnings = 0;
  } sink;
  const Signatures signatures;
  ScanLog log({.files = files,
               .clock = clock,
               .locale = kLocale,
               .warnings = sink,
               .programFolder = "C:\\Nexolant\\",
               .programVersion = "2.0"});
  std::vector<Finding> findings;
  for (int k = 0; k < state.range(0); ++k) {
    findings.push_back(
        {.row = {"setup" + std::to_string(k) + ".exe",
                 "C:\\Program Files\\Vendor\\Folder" + std::to_string(k), "Known file"}});
  }
  for (auto _ : state) {
    log.Begin({.mode = ScanMode::kChosenFolder, .folder = "C:\\Program Files"},
              signatures.Tables());
    log.End(findings, {}, ScanLogEnding::kFinished);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.counters["warnings"] = sink.warnings;
}

BENCHMARK(BM_ScanLog)->Arg(0)->Arg(1000)->Unit(benchmark::kMicrosecond)->UseRealTime();
// The files of the tree that hold content, and one file of 64 MiB beside the tree.
std::vector<std::string> ContentFiles(bool large) {
  if (large) {
    const std::string path = TreeRoot() + "-large.bin";
    if (!std::filesystem::exists(path)) {
      std::ofstream(path, std::ios::binary)
          << bench::KnownFileContent(0) + std::string((64 << 20) - 1024, 'x');
    }
    return {path};
  }
  std::vector<std::string> paths;
  std::ifstream list(bench::ContentFileList(TreeRoot()));
  for (std::string line; std::getline(list, line);) {
    paths.push_back((std::filesystem::path(TreeRoot()) / line).string());
  }
  return paths;
}

// Each file read through the file system's reader in the pieces the hashing uses, hashed or not.
void ReadFiles(benchmark::State& state, bool hash) {
  platform::StdFileSystem files;
  platform::IdlePump pump;
  const std::vector<std::string> paths = ContentFiles(state.range(0) != 0);
  std::vector<char> buffer(platform::kFileDigestChunk);
  std::int64_t bytes = 0;
  for (auto _ : state) {
    for (const std::string& path : paths) {
      if (hash) {
        benchmark::DoNotOptimize(
            platform::FileSha256(files, platform::SystemSignatureVerifier(), path, &pump));
        bytes += static_cast<std::int64_t>(std::filesystem::file_size(path));
        continue;
      }
      const std::unique_ptr<platform::FileReader> reader = files.OpenReader(path);
      while (const std::optional<std::size_t> read = reader->Read(buffer)) {
        if (*read == 0) {
          break;
        }
        bytes += static_cast<std::int64_t>(*read);
        pump.ProcessMessages();
      }
    }
  }
  state.SetBytesProcessed(bytes);
}

void BM_HashFiles(benchmark::State& state) {
  ReadFiles(state, true);
}

void BM_PlainRead(benchmark::State& state) {
  ReadFiles(state, false);
}

BENCHMARK(BM_BareWalk)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FilePhase)
    ->ArgNames({"ignored", "hashes"})
    ->Args({0, 0})
    ->Args({10000, 0})
    ->Args({0, 10000})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
// The tree's 40 files of 1 to 64 KiB, then one file of 64 MiB.
BENCHMARK(BM_HashFiles)->ArgName("large")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainRead)->ArgName("large")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nexolant

BENCHMARK_MAIN();
