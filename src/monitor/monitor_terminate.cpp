#include <string>

#include "monitor/active_monitoring_page.h"
#include "monitor/process_list.h"

namespace nexolant {

void ActiveMonitoringPage::ProcessListClick() {
  if (DeferredDuringRefresh([this] { ProcessListClick(); })) {
    return;
  }
  btnTerminate_->SetEnabled(ProcessList_->ItemIndex() >= 0);
}

// The name is taken before the question: a tick during it may rebuild the list, so the row
// is found again by that name afterwards.
void ActiveMonitoringPage::btnTerminateClick() {
  if (DeferredDuringRefresh([this] { btnTerminateClick(); })) {
    return;
  }
  const int selected = ProcessList_->ItemIndex();
  if (!MonitoringEnabled() || selected < 0) {
    return;
  }
  const std::string name = ProcessList_->Item(selected).caption;
  const ui::MessageResult answer = application_.ShowMessageBox(
      "Are you sure you want to terminate the process \"" + name + "\" ?", "Warning",
      ui::MessageButtons::kYesNo, ui::MessageIcon::kQuestion);
  if (answer != ui::MessageResult::kYes) {
    return;
  }
  if (!TerminateProcessByName(Links().processes, name)) {
    application_.ShowWarning("Unable to kill process \"" + name + "\" !", "Warning");
    return;
  }
  if (const int row = ProcessList_->IndexOfCaption(name); row >= 0) {
    ProcessList_->Delete(row);
  }
  btnTerminate_->SetEnabled(false);
}

}  // namespace nexolant
