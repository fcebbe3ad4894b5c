#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "fakes/fake_processes.h"
#include "monitor/active_monitoring_page.h"
#include "monitor/process_monitor.h"
#include "platform/portable/cp1252_locale.h"
#include "reference/signature_source.h"
#include "settings/options.h"
#include "signature_patterns.h"
#include "ui/controls.h"

namespace nexolant {

// The Active Monitoring page alone on a form, over a process table of 500 processes and
// 10,000 process signatures. With the default options: known processes are terminated
// automatically; here every termination fails, so each refresh does the same work.
class MonitorRefreshWorkload : private SignatureSource, private Options {
 public:
  static constexpr std::size_t kProcesses = 500;
  static constexpr std::size_t kSignatures = 10000;
  static constexpr std::size_t kKnownProcesses = 10;

  explicit MonitorRefreshWorkload(ui::Application& application) : form_("MonitorForm") {
    bench::PatternGenerator generator(4100);
    StringList patterns;
    for (std::size_t k = 0; k < kSignatures; ++k) {
      patterns.push_back(generator.Pattern());
      tables_.ProcessDescriptions.push_back("Adware " + std::to_string(k));
    }
    tables_.ProcessNames.Assign(patterns, locale_);
    for (std::size_t k = 0; k < kProcesses; ++k) {
      const bool known = k < kKnownProcesses;
      std::string name;
      do {
        name = known ? generator.NameFor(patterns[generator.Below(kSignatures)]) : generator.Name();
      } while ((tables_.ProcessNames.Find(name) >= 0) != known);
      processes_.Add(static_cast<std::uint32_t>(1000 + k), "C:\\Program Files\\" + name)
          .terminateFails = true;
    }

    form_.SetClientSize(762, 394);
    auto& notebook = form_.Add<ui::Notebook>("Notebook");
    notebook.SetBounds({177, 112, 503, 240});
    ui::NotebookPage& page = notebook.AddPage("ActiveMonitoring");
    deferred_ = std::make_unique<ui::DeferredActions>(application);
    monitor_ = std::make_unique<ProcessMonitor>(processes_, locale_, application, *deferred_, *this,
                                                *this);
    page_ = std::make_unique<ActiveMonitoringPage>(page, locale_, application, *monitor_);
  }

  ui::Form& Form() { return form_; }
  ProcessMonitor& Monitor() { return *monitor_; }
  ActiveMonitoringPage& Page() { return *page_; }

 private:
  const SignatureTables& Tables() const override { return tables_; }
  bool MinimizeToTray() const override { return true; }
  bool QuarantineBeforeRemoval() const override { return true; }
  bool DeepScanRegistry() const override { return true; }
  bool AutoTerminate() const override { return true; }
  bool AutoStartMonitor() const override { return false; }

  platform::Cp1252Locale locale_;
  SignatureTables tables_;
  FakeProcessApi processes_;
  ui::Form form_;
  std::unique_ptr<ui::DeferredActions> deferred_;
  std::unique_ptr<ProcessMonitor> monitor_;
  std::unique_ptr<ActiveMonitoringPage> page_;
};

}  // namespace nexolant
