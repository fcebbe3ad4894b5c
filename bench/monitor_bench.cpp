// One refresh of the active monitor's list: 500 processes looked up in 10,000 process
// signatures, the sorted list rebuilt and the known processes' termination attempted, with a
// renderer stand-in that only counts the changes it is told of.
#include <benchmark/benchmark.h>

#include <string>

#include "idle_backend.h"
#include "monitor_refresh_workload.h"
#include "platform/portable/cp1252_locale.h"
#include "ui/application.h"
#include "ui/application_backend.h"
#include "ui/control_observer.h"

namespace nexolant {
namespace {

using bench::IdleBackend;

class CountingObserver final : public ui::ControlObserver {
 public:
  void ControlChanged(ui::Control&, ui::Property) override { ++changes; }
  void ListChanged(ui::ListView&, const ui::ListChange&) override { ++changes; }
  long long changes = 0;
};

void BM_MonitorRefresh(benchmark::State& state) {
  IdleBackend backend;
  ui::Application application(backend);
  const platform::Cp1252Locale locale;
  MonitorRefreshWorkload workload(application, locale);
  CountingObserver observer;
  workload.Form().SetObserver(&observer);
  ActiveMonitoringPage& page = workload.Page();
  for (auto _ : state) {
    workload.Monitor().EnableMonitoring();
  }
  state.counters["rows"] = page.ProcessList().Count();
  state.counters["changes"] =
      benchmark::Counter(static_cast<double>(observer.changes), benchmark::Counter::kAvgIterations);
}

BENCHMARK(BM_MonitorRefresh)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nexolant

BENCHMARK_MAIN();
