#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fakes/fake_processes.h"
#include "fakes/fake_signature_evidence.h"
#include "fakes/memory_registry.h"
#include "monitor/active_monitoring_page.h"
#include "monitor/process_monitor.h"
#include "platform/locale.h"
#include "platform/portable/std_file_system.h"
#include "protection/protection_policy.h"
#include "reference/signature_source.h"
#include "settings/options.h"
#include "signature_patterns.h"
#include "ui/controls.h"

namespace nexolant {

// The Active Monitoring page alone on a form, over a process table of 500 processes and
// 10,000 process signatures, comparing names in the given locale. With the default options: known
// processes are terminated automatically; here every termination of a known process fails, so each
// refresh does the same work unless Churn changes the processes.
class MonitorRefreshWorkload : private SignatureSource {
 public:
  static constexpr std::size_t kProcesses = 500;
  static constexpr std::size_t kSignatures = 10000;
  static constexpr std::size_t kKnownProcesses = 10;

  MonitorRefreshWorkload(ui::Application& application, const platform::Locale& locale)
      : generator_(4100), locale_(locale), form_("MonitorForm") {
    StringList patterns;
    for (std::size_t k = 0; k < kSignatures; ++k) {
      patterns.push_back(generator_.Pattern());
      tables_.ProcessDescriptions.push_back("Adware " + std::to_string(k));
    }
    tables_.ProcessNames.Assign(patterns, locale_);
    for (std::size_t k = 0; k < kProcesses; ++k) {
      const bool known = k < kKnownProcesses;
      std::string name;
      do {
        name =
            known ? generator_.NameFor(patterns[generator_.Below(kSignatures)]) : generator_.Name();
      } while ((tables_.ProcessNames.Find(name) >= 0) != known);
      if (known) {
        AddProcess(name).terminateFails = true;
      } else {
        unknownIds_.push_back(AddProcess(name).id);
      }
    }

    form_.SetClientSize(762, 394);
    auto& notebook = form_.Add<ui::Notebook>("Notebook");
    notebook.SetBounds({177, 112, 503, 240});
    ui::NotebookPage& page = notebook.AddPage("ActiveMonitoring");
    deferred_ = std::make_unique<ui::DeferredActions>(application);
    // The private base is converted here, where it is accessible.
    const SignatureSource& signatures = *this;
    monitor_ = std::make_unique<ProcessMonitor>(processes_, locale_, application, *deferred_,
                                                signatures, protection_, options_);
    page_ = std::make_unique<ActiveMonitoringPage>(page, application, *monitor_);
  }

  ui::Form& Form() { return form_; }
  ProcessMonitor& Monitor() { return *monitor_; }
  ActiveMonitoringPage& Page() { return *page_; }

  // Ends the longest running of the unknown processes and starts as many new ones, as a
  // machine does between two refreshes.
  void Churn(std::size_t count) {
    for (std::size_t k = 0; k < count && !unknownIds_.empty(); ++k) {
      processes_.OpenProcess(platform::kProcessTerminate, unknownIds_.front())->Terminate(0);
      unknownIds_.erase(unknownIds_.begin());
      std::string name;
      do {
        name = generator_.Name();
      } while (tables_.ProcessNames.Find(name) >= 0);
      unknownIds_.push_back(AddProcess(name).id);
    }
  }

 private:
  FakeProcessApi::Process& AddProcess(const std::string& name) {
    return processes_.Add(nextId_++, "C:\\Program Files\\" + name);
  }

  const SignatureTables& Tables() const override { return tables_; }

  bench::PatternGenerator generator_;
  std::uint32_t nextId_ = 1000;
  std::vector<std::uint32_t> unknownIds_;
  const platform::Locale& locale_;
  SignatureTables tables_;
  FakeProcessApi processes_;
  platform::StdFileSystem files_;
  MemoryRegistry registry_;
  const FakeSignatureEvidence evidence_;
  const protection::ProtectionPolicy protection_{{.files = files_,
                                                  .registry = registry_,
                                                  .locale = locale_,
                                                  .ownProcessId = 0,
                                                  .processes = processes_,
                                                  .evidence = evidence_}};
  const Options options_;
  ui::Form form_;
  std::unique_ptr<ui::DeferredActions> deferred_;
  std::unique_ptr<ProcessMonitor> monitor_;
  std::unique_ptr<ActiveMonitoringPage> page_;
};

}  // namespace nexolant
