// The monitor's refresh of bench/monitor_bench.cpp with the real list view: the page realised
// as Win32 windows, each refresh timed with the steady clock. Prints the fastest, the median
// and the slowest of the runs, in milliseconds. Run under Wine through scripts/wine-run.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "monitor_refresh_workload.h"
#include "ui/application.h"
#include "win32/win32_backend.h"

int main() {
  using namespace nexolant;
  using Clock = std::chrono::steady_clock;
  constexpr int kRuns = 50;

  win32::Win32Backend backend;
  ui::Application application(backend);
  MonitorRefreshWorkload workload(application);
  backend.RealiseForm(workload.Form());
  workload.Form().SetVisible(true);
  application.ProcessMessages();

  std::vector<double> milliseconds;
  for (int run = 0; run < kRuns; ++run) {
    const Clock::time_point start = Clock::now();
    workload.Monitor().EnableMonitoring();
    milliseconds.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    application.ProcessMessages();
  }
  std::sort(milliseconds.begin(), milliseconds.end());
  std::printf("rows %d, runs %d: fastest %.2f ms, median %.2f ms, slowest %.2f ms\n",
              workload.Page().ProcessList().Count(), kRuns, milliseconds.front(),
              milliseconds[kRuns / 2], milliseconds.back());
  backend.DestroyForm(workload.Form());
  return 0;
}
