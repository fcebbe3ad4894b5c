// The scan under Wine, with the Win32 file system and the real renderer: the bare walk of the
// benchmark tree against the file phase (also with 10,000 ignored objects, and with 10,000
// hash signatures), the longest wait between two dispatches of window messages during the file
// phase, the registry phase over HKEY_LOCAL_MACHINE against a bare walk of that hive, the
// hashing of the tree's files through the system's SHA-256 against a plain read of them, and
// the startup phase with 1,000 Run values and 500 services planted.
//   scan_wine_bench TREE-FOLDER [ROUNDS]
// Made in a Windows tree configured with NEXOLANT_BENCH=ON; prints its figures.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ignore_list_bench.h"
#include "planted_startup_entries.h"
#include "platform/file_digest.h"
#include "platform/folder_lock.h"
#include "reference/signature_source.h"
#include "scan/file_scan.h"
#include "scan/findings.h"
#include "scan/registry_scan.h"
#include "scan/scan_results.h"
#include "scan/scanning_page.h"
#include "scan/startup_scan.h"
#include "scan/t_recurse_dir.h"
#include "scan_tree.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/list_view.h"
#include "ui/notebook.h"
#include "win32/win32_backend.h"
#include "win32/win32_file_system.h"
#include "win32/win32_folder_lock.h"
#include "win32/win32_locale.h"
#include "win32/win32_processes.h"
#include "win32/win32_registry.h"
#include "win32/win32_scheduled_tasks.h"
#include "win32/win32_shortcuts.h"
#include "win32/win32_signature_evidence.h"

namespace nexolant {
namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration duration) {
  return std::chrono::duration<double>(duration).count();
}

// The processor time the process has used, user and kernel.
Clock::duration ProcessorTime() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  const auto ticks = [](const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  };
  return std::chrono::duration_cast<Clock::duration>(
      std::chrono::nanoseconds((ticks(kernel) + ticks(user)) * 100));
}

// Elapsed and processor time of a run; Keep holds the shortest of several.
struct Timing {
  Clock::duration wall = Clock::duration::max();
  Clock::duration processor = Clock::duration::max();
  void Keep(const Timing& run) {
    wall = std::min(wall, run.wall);
    processor = std::min(processor, run.processor);
  }
};

template <class Work>
Timing Measure(Work work) {
  const Clock::time_point start = Clock::now();
  const Clock::duration processorStart = ProcessorTime();
  work();
  return {Clock::now() - start, ProcessorTime() - processorStart};
}

class Signatures : public SignatureSource {
 public:
  Signatures(const platform::Locale& locale, bool hashes) {
    const StringList patterns = bench::ScanSignatures();
    tables_.ScanFileNames.Assign(patterns, locale);
    tables_.ScanFileDescriptions.assign(patterns.size(), "Known file");
    tables_.RegistryNames.Assign(patterns, locale);
    tables_.RegistryDescriptions.assign(patterns.size(), "Known key");
    if (hashes) {
      tables_.FileHashes =
          HashSignatures::FromLines(bench::HashSignatureLines(platform::SystemSignatureVerifier()));
    }
    tables_.ProcessNames.Assign(patterns, locale);
    tables_.ProcessDescriptions.assign(patterns.size(), "Known program");
  }
  const SignatureTables& Tables() const override { return tables_; }

 private:
  SignatureTables tables_;
};

// The registry with only HKEY_LOCAL_MACHINE in it: the other roots open nothing.
class LocalMachineOnly : public win32::Win32Registry {
 public:
  using win32::Win32Registry::OpenKey;
  platform::OpenedKey OpenKey(platform::KeyBase base, const std::string& path,
                              platform::RegistryAccess access,
                              platform::LinkHandling links) override {
    return Outside(base) ? NotFound() : Win32Registry::OpenKey(base, path, access, links);
  }
  platform::OpenedKey OpenKeyWide(platform::KeyBase base, const platform::WideString& path,
                                  platform::RegistryAccess access,
                                  platform::LinkHandling links) override {
    return Outside(base) ? NotFound() : Win32Registry::OpenKeyWide(base, path, access, links);
  }

 private:
  static bool Outside(platform::KeyBase base) {
    return base.IsRoot() && base.Root() != platform::RegistryRoot::kLocalMachine;
  }
  static platform::OpenedKey NotFound() { return {nullptr, platform::kErrorFileNotFound}; }
};

// The bare walk of a hive as the registry phase makes it: every key opened by its path from the
// root for reading, as itself when it is a link, and its subkey names listed; counts the names.
void BareRegistryWalk(HKEY root, const std::string& path, long long& names) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), REG_OPTION_OPEN_LINK, KEY_READ, &key) != ERROR_SUCCESS) {
    return;
  }
  std::vector<std::string> subkeys;
  char name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof name;
    if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    subkeys.emplace_back(name, length);
  }
  RegCloseKey(key);
  names += static_cast<long long>(subkeys.size());
  for (const std::string& subkey : subkeys) {
    BareRegistryWalk(root, path.empty() ? subkey : path + "\\" + subkey, names);
  }
}

// Notes when window messages are dispatched: a window timer of the shortest interval comes due
// at every dispatch at least 10 ms after its last one, and its handler takes the time. Its
// SetTimer and KillTimer bracket the file phase in a relay trace (docs/performance.md).
class DispatchProbe {
 public:
  DispatchProbe() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &DispatchProbe::WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "NexolantDispatchProbe";
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                              nullptr, windowClass.hInstance, nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~DispatchProbe() { DestroyWindow(window_); }
  DispatchProbe(const DispatchProbe&) = delete;
  DispatchProbe& operator=(const DispatchProbe&) = delete;

  void Start() {
    times_.assign(1, Clock::now());
    SetTimer(window_, 1, USER_TIMER_MINIMUM, nullptr);
  }
  // The longest time between two dispatches since Start.
  Clock::duration Stop() {
    KillTimer(window_, 1);
    times_.push_back(Clock::now());
    Clock::duration longest{};
    for (std::size_t k = 1; k < times_.size(); ++k) {
      longest = std::max(longest, times_[k] - times_[k - 1]);
    }
    return longest;
  }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
      reinterpret_cast<DispatchProbe*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA))
          ->times_.push_back(Clock::now());
      return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }

  HWND window_ = nullptr;
  std::vector<Clock::time_point> times_;
};

// The bytes read, in the pieces the hashing uses, of every file, hashed or only read; the best
// of rounds.
struct ReadSpeed {
  Timing hashed;
  Timing read;
  std::uint64_t bytes = 0;
  int hashedFiles = 0;
};

ReadSpeed MeasureReads(platform::FileSystem& files, platform::MessagePump& pump,
                       const std::vector<std::string>& paths, int rounds) {
  ReadSpeed speed;
  std::vector<char> buffer(platform::kFileDigestChunk);
  for (int round = 0; round < rounds; ++round) {
    speed.bytes = 0;
    speed.read.Keep(Measure([&] {
      for (const std::string& path : paths) {
        const std::unique_ptr<platform::FileReader> reader = files.OpenReader(path);
        while (reader) {
          const std::optional<std::size_t> read = reader->Read(buffer);
          if (!read || *read == 0) {
            break;
          }
          speed.bytes += *read;
          pump.ProcessMessages();
        }
      }
    }));
    speed.hashed.Keep(Measure([&] {
      for (const std::string& path : paths) {
        speed.hashedFiles +=
            platform::FileSha256(files, platform::SystemSignatureVerifier(), path, &pump) ? 1 : 0;
      }
    }));
  }
  return speed;
}

void PrintSpeed(const char* what, const ReadSpeed& speed) {
  const double megabytes = static_cast<double>(speed.bytes) / 1e6;
  std::printf(
      "%s: %.1f MB, hashed %.1f MB/s (%.1f MB/s of processor), read %.1f MB/s; %d "
      "digests\n",
      what, megabytes, megabytes / Seconds(speed.hashed.wall),
      megabytes / Seconds(speed.hashed.processor), megabytes / Seconds(speed.read.wall),
      speed.hashedFiles);
}

int Run(const std::string& tree, int rounds) {
  win32::Win32Backend backend;
  ui::Application application(backend);
  const win32::Win32Locale locale;
  win32::Win32FileSystem files;
  const Signatures signatures(locale, false);
  const Signatures hashSignatures(locale, true);

  ui::Form form("ScanBench");
  form.SetCaption("Nexolant scan benchmark");
  form.SetClientSize(503, 240);
  auto& notebook = form.Add<ui::Notebook>("Notebook");
  notebook.SetBounds({0, 0, 503, 240});
  ScanningPage scanning(notebook.AddPage("Scanning"), locale);
  ui::ListView& report = notebook.AddPage("Report").Add<ui::ListView>("Report");
  Findings findings;
  findings.OnCleared = [&report] { report.Clear(); };
  findings.OnAdded = [&report](const Finding& found) {
    report.Add(found.row.Caption, {found.row.Location, found.row.Description});
  };
  notebook.SetPageIndex(0);
  backend.RealiseForm(form);
  form.SetVisible(true);
  for (int k = 0; k < 20; ++k) {
    application.ProcessMessages();
    Sleep(10);
  }

  TRecurseDir walker(files);
  walker.SetDirectory(tree);
  long long bareEntries = 0;
  const auto bareWalk = [&bareEntries](TRecurseDir&, const std::string&) { ++bareEntries; };
  ScanResults results(findings, scanning);
  win32::Win32Registry systemRegistry;
  win32::Win32ProcessApi processes;
  const win32::Win32SignatureEvidence evidence;
  const protection::ProtectionPolicy protection({.files = files,
                                                 .registry = systemRegistry,
                                                 .locale = locale,
                                                 .ownProcessId = GetCurrentProcessId(),
                                                 .processes = processes,
                                                 .evidence = evidence});
  // An empty ignore list for the phase the ratio is taken of, and one of 10,000 entries for the
  // same phase once more.
  const std::string emptyList = tree + "\\..\\ignored-empty.txt";
  const std::string fullList = tree + "\\..\\ignored-10000.txt";
  files.WriteWholeFile(emptyList, "");
  files.WriteWholeFile(fullList, bench::IgnoreListText(5000));
  bench::StillClock clock;
  win32::Win32FolderLock folderLock(
      platform::FolderLockName(files, tree, platform::SystemSignatureVerifier()));
  const IgnoredObjectsServices ignoredServices{.files = files,
                                               .verifier = platform::SystemSignatureVerifier(),
                                               .clock = clock,
                                               .pump = application,
                                               .lock = folderLock};
  IgnoredObjects noneIgnored(ignoredServices, emptyList);
  IgnoredObjects manyIgnored(ignoredServices, fullList);
  noneIgnored.Load();
  manyIgnored.Load();
  const ContentMatchServices content{
      .files = files, .verifier = platform::SystemSignatureVerifier(), .pump = application};
  FileScan fileScan(results, signatures, protection, noneIgnored, application, content);
  FileScan fileScanIgnoring(results, signatures, protection, manyIgnored, application, content);
  FileScan fileScanHashing(results, hashSignatures, protection, noneIgnored, application, content);
  // A file phase as the Next button's handler runs it; the phase ends with the window showing
  // its exact figures.
  const auto runPhaseOf = [&](FileScan& scan) {
    walker.OnFileFound = [&scan](TRecurseDir& sender, const std::string& fileName) {
      scan.RecurseDirFileFound(sender, fileName);
    };
    scan.StartWalk();
    results.ResetScanCounters();
    results.ClearReport();
    return Measure([&] {
      application.RunHandler([&] {
        walker.Run();
        application.UpdateWindows();
      });
    });
  };
  const auto runPhase = [&] { return runPhaseOf(fileScan); };
  // Bare walks and file phases take turns, each round in another order, so that a change in
  // the machine's load between them weighs on all alike; the best of each counts.
  Timing bare;
  Timing phase;
  Timing phaseIgnoring;
  Timing phaseHashing;
  int hashRows = 0;
  const std::function<void()> turns[] = {
      [&] {
        walker.OnFileFound = bareWalk;
        bareEntries = 0;
        bare.Keep(Measure([&walker] { walker.Run(); }));
      },
      [&] { phase.Keep(runPhase()); },
      [&] { phaseIgnoring.Keep(runPhaseOf(fileScanIgnoring)); },
      [&] {
        phaseHashing.Keep(runPhaseOf(fileScanHashing));
        hashRows = report.Count();
      },
  };
  for (int round = 0; round < rounds; ++round) {
    for (std::size_t turn = 0; turn < std::size(turns); ++turn) {
      turns[(turn + static_cast<std::size_t>(round)) % std::size(turns)]();
    }
  }
  // The probe's timer costs the phase a few percent under Wine, so the waits are measured in
  // rounds of their own.
  DispatchProbe probe;
  Clock::duration longestGap{};
  for (int round = 0; round < rounds; ++round) {
    probe.Start();
    runPhase();
    longestGap = std::max(longestGap, probe.Stop());
  }
  const long long entries = results.Counters().ObjectsScanned;
  const int fileRows = report.Count();

  LocalMachineOnly localMachine;
  ScanFlags flags;
  RegistryScan registryScan(localMachine, results, signatures, protection, noneIgnored, application,
                            flags);
  Timing bareRegistry;
  Timing registryTime;
  long long bareKeys = 0;
  for (int round = 0; round < rounds; ++round) {
    bareKeys = 0;
    bareRegistry.Keep(Measure([&bareKeys] { BareRegistryWalk(HKEY_LOCAL_MACHINE, "", bareKeys); }));
    results.ResetScanCounters();
    registryTime.Keep(Measure([&] {
      application.RunHandler([&] {
        registryScan.ScanRegistry(true);
        application.UpdateWindows();
      });
    }));
  }
  const long long keys = results.Counters().ObjectsScanned;

  // The startup phase over the prefix's own entries and the planted ones, through the system's
  // registry, Startup folders, shortcuts and Task Scheduler.
  const bench::PlantedStartupEntries planted(bench::ScanSignatures(), 1000, 500);
  win32::Win32Shortcuts shortcuts;
  win32::Win32ScheduledTasks tasks;
  StartupScan startupScan({.registry = systemRegistry,
                           .files = files,
                           .shortcuts = shortcuts,
                           .tasks = tasks,
                           .locale = locale,
                           .pump = application},
                          results, findings, signatures, protection, noneIgnored, flags);
  Timing startupTime;
  for (int round = 0; round < rounds; ++round) {
    results.ResetScanCounters();
    results.ClearReport();
    startupTime.Keep(Measure([&] {
      application.RunHandler([&] {
        startupScan.ScanStartupEntries();
        application.UpdateWindows();
      });
    }));
  }
  const long long startupEntries = results.Counters().ObjectsScanned;

  std::printf("bare walk:  %lld entries, %.3f s (%.3f s of processor), %.0f entries/s\n",
              bareEntries, Seconds(bare.wall), Seconds(bare.processor),
              static_cast<double>(bareEntries) / Seconds(bare.wall));
  std::printf("file phase: %lld entries, %.3f s (%.3f s of processor), %.0f entries/s, %d rows\n",
              entries, Seconds(phase.wall), Seconds(phase.processor),
              static_cast<double>(entries) / Seconds(phase.wall), fileRows);
  std::printf("ratio:      %.2f (processor time: %.2f), best of %d rounds each\n",
              Seconds(bare.wall) / Seconds(phase.wall),
              Seconds(bare.processor) / Seconds(phase.processor), rounds);
  std::printf("ratio with 10,000 ignored objects: %.2f (processor time: %.2f)\n",
              Seconds(bare.wall) / Seconds(phaseIgnoring.wall),
              Seconds(bare.processor) / Seconds(phaseIgnoring.processor));
  std::printf("ratio with 10,000 hash signatures: %.2f (processor time: %.2f), %d rows\n",
              Seconds(bare.wall) / Seconds(phaseHashing.wall),
              Seconds(bare.processor) / Seconds(phaseHashing.processor), hashRows);
  std::printf("longest wait between two dispatches in the file phase: %.1f ms\n",
              Seconds(longestGap) * 1000.0);
  std::printf(
      "registry:   %lld keys of HKEY_LOCAL_MACHINE, %.3f s (%.3f s of processor), "
      "%.0f keys/s\n",
      keys, Seconds(registryTime.wall), Seconds(registryTime.processor),
      static_cast<double>(keys) / Seconds(registryTime.wall));
  std::printf("bare registry walk: %lld keys, %.3f s (%.3f s of processor); ratio %.2f\n", bareKeys,
              Seconds(bareRegistry.wall), Seconds(bareRegistry.processor),
              Seconds(bareRegistry.wall) / Seconds(registryTime.wall));
  std::vector<std::string> contentFiles;
  std::string list = files.ReadWholeFile(tree + ".content");
  for (std::size_t start = 0; start < list.size();) {
    const std::size_t end = list.find('\n', start);
    std::string path = tree + "\\" + list.substr(start, end - start);
    std::replace(path.begin(), path.end(), '/', '\\');
    contentFiles.push_back(std::move(path));
    start = end == std::string::npos ? list.size() : end + 1;
  }
  PrintSpeed("the tree's files with content",
             MeasureReads(files, application, contentFiles, rounds));
  PrintSpeed("one file of 64 MiB", MeasureReads(files, application, {tree + "-large.bin"}, rounds));
  std::printf(
      "startup phase: %lld entries, 1,000 Run values and 500 services planted among them, "
      "%.3f s (%.3f s of processor), %d rows\n",
      startupEntries, Seconds(startupTime.wall), Seconds(startupTime.processor), report.Count());
  backend.DestroyForm(form);
  return 0;
}

}  // namespace
}  // namespace nexolant

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: scan_wine_bench TREE-FOLDER [ROUNDS]\n");
    return 2;
  }
  return nexolant::Run(argv[1], argc > 2 ? std::max(1, std::atoi(argv[2])) : 3);
}
