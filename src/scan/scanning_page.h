#pragma once

#include <functional>

#include "platform/locale.h"
#include "scan/scan_progress_view.h"
#include "ui/button.h"
#include "ui/graphic_controls.h"
#include "ui/label.h"
#include "ui/notebook.h"

namespace nexolant {

// Page 6: the running scan's current object, its counters and the Stop/Report/Finish button.
// Counts are shown in the locale's number format.
class ScanningPage : public ScanProgressView {
 public:
  ScanningPage(ui::NotebookPage& page, const platform::Locale& locale);

  void ShowReset() override;
  void ShowRunningProcesses(std::size_t count) override;
  void ShowCurrent(const std::string& text) override;
  void ShowScanned(const ScanCounters& counters) override;
  void ShowFound(RowKind kind, const ScanCounters& counters) override;
  void ShowEnding(ScanEnding ending, bool enabled) override;
  void ShowComplete(bool complete) override;

  // The button was pressed.
  std::function<void()> OnStopClick;

  ui::Label& lblCurrentFile() const { return *lblCurrentFile_; }
  ui::Label& lblRP() const { return *lblRP_; }
  ui::Label& lblOR() const { return *lblOR_; }
  ui::Label& lblNO() const { return *lblNO_; }
  ui::Label& Label25() const { return *Label25_; }
  ui::Image& imgOK() const { return *imgOK_; }
  ui::Label& lblOS() const { return *lblOS_; }
  ui::Label& lblFI() const { return *lblFI_; }
  ui::Label& lblPI() const { return *lblPI_; }
  ui::Label& lblRI() const { return *lblRI_; }
  ui::Button& btnStop() const { return *btnStop_; }

 private:
  void ShowCount(ui::Label& label, std::int32_t value);

  const platform::Locale& locale_;
  ui::Label* lblCurrentFile_ = nullptr;
  ui::Label* lblRP_ = nullptr;
  ui::Label* lblOR_ = nullptr;
  ui::Label* lblNO_ = nullptr;
  ui::Label* Label25_ = nullptr;
  ui::Image* imgOK_ = nullptr;
  ui::Label* lblOS_ = nullptr;
  ui::Label* lblFI_ = nullptr;
  ui::Label* lblPI_ = nullptr;
  ui::Label* lblRI_ = nullptr;
  ui::Button* btnStop_ = nullptr;
};

}  // namespace nexolant
