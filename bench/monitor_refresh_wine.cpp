// The monitor's refresh of bench/monitor_bench.cpp with the real list view: the page realised
// as Win32 windows. Each refresh runs inside a handler, as a timer tick does, and is timed
// together with the next dispatch of window messages, which brings the windows up to date and
// paints them; the pause between the two is not timed. Prints the fastest, the median and the
// slowest, in milliseconds, of refreshes with no change, of refreshes after a few processes
// changed, and of refreshes of the same page without windows (the cost of the work that is not
// the window's). Run under Wine through scripts/wine-run.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "monitor_refresh_workload.h"
#include "ui/application.h"
#include "win32/win32_backend.h"
#include "win32/win32_locale.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

// A refresh's time and its parts: the refresh itself and the dispatch after it; and the
// processor time of both, which the load of other processes does not lengthen.
struct Timing {
  double total = 0;
  double refresh = 0;
  double dispatch = 0;
  double processor = 0;
};

// The processor time this thread has used; Wine counts it in steps of 10 ms, so only a sum
// over many refreshes tells.
Clock::duration ProcessorTime() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  const auto ticks = [](const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  };
  return std::chrono::duration_cast<Clock::duration>(
      std::chrono::nanoseconds((ticks(kernel) + ticks(user)) * 100));
}

void Print(const char* what, std::vector<Timing> runs) {
  const auto median = [&runs](double Timing::*part) {
    std::vector<double> values;
    for (const Timing& run : runs) {
      values.push_back(run.*part);
    }
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
  };
  double processor = 0;
  for (const Timing& run : runs) {
    processor += run.processor;
  }
  std::sort(runs.begin(), runs.end(),
            [](const Timing& a, const Timing& b) { return a.total < b.total; });
  std::printf(
      "%s, runs %zu: fastest %.2f ms, median %.2f ms (refresh %.2f, dispatch %.2f), "
      "slowest %.2f ms; processor time %.2f ms a refresh\n",
      what, runs.size(), runs.front().total, runs[runs.size() / 2].total, median(&Timing::refresh),
      median(&Timing::dispatch), runs.back().total, processor / static_cast<double>(runs.size()));
}

}  // namespace

int main() {
  using namespace nexolant;
  constexpr int kRuns = 50;
  constexpr std::size_t kChangedProcesses = 5;

  win32::Win32Backend backend;
  ui::Application application(backend);
  // The same page never realised: what the refresh costs under Wine without any window.
  // The program's own locale: names compare through the system, as the program compares them.
  const win32::Win32Locale locale;
  MonitorRefreshWorkload unrealised(application, locale);
  MonitorRefreshWorkload workload(application, locale);
  backend.RealiseForm(workload.Form());
  workload.Form().SetVisible(true);
  application.ProcessMessages();

  const auto timedRefresh = [&](MonitorRefreshWorkload& target) {
    const Clock::duration processorStart = ProcessorTime();
    const Clock::time_point start = Clock::now();
    application.RunHandler([&target] { target.Monitor().EnableMonitoring(); });
    const Clock::duration refresh = Clock::now() - start;
    const Clock::duration refreshProcessor = ProcessorTime() - processorStart;
    // Longer than the backend's pause between two updates of the windows.
    Sleep(50);
    const Clock::duration dispatchProcessorStart = ProcessorTime();
    const Clock::time_point dispatchStart = Clock::now();
    application.ProcessMessages();
    const Clock::duration dispatch = Clock::now() - dispatchStart;
    const Clock::duration processor = refreshProcessor + (ProcessorTime() - dispatchProcessorStart);
    return Timing{Milliseconds(refresh + dispatch), Milliseconds(refresh), Milliseconds(dispatch),
                  Milliseconds(processor)};
  };

  // The refreshes without change come first: every process ended by Churn stays in the
  // in-memory table, which makes its listing and termination slower as it grows. The page
  // without windows takes turns with the realised one, so that both meet the same load.
  timedRefresh(unrealised);
  timedRefresh(workload);
  std::vector<Timing> bare;
  std::vector<Timing> unchanged;
  std::vector<Timing> changed;
  for (int run = 0; run < kRuns; ++run) {
    bare.push_back(timedRefresh(unrealised));
    unchanged.push_back(timedRefresh(workload));
  }
  for (int run = 0; run < kRuns; ++run) {
    workload.Churn(kChangedProcesses);
    changed.push_back(timedRefresh(workload));
  }
  std::printf("rows %d\n", workload.Page().ProcessList().Count());
  Print("no window, no change", bare);
  Print("no change           ", unchanged);
  Print("5 processes changed ", changed);
  backend.DestroyForm(workload.Form());
  return 0;
}
