#pragma once

#include <cstdint>

#include "platform/clock.h"
#include "platform/locale.h"
#include "ui/label.h"

namespace nexolant {

// The four usage figures kept across runs.
struct StatisticsValues {
  static constexpr platform::DateTime kNever = -1;

  std::int32_t TotalScans = 0;
  platform::DateTime LastScan = kNever;
  std::int32_t ObjectsRemoved = 0;
  std::int32_t ObjectsQuarantined = 0;

  bool operator==(const StatisticsValues&) const = default;
};

// The Status page's labels that show the figures.
struct StatisticsLabels {
  ui::Label& lblLastSystemScan;
  ui::Label& lblTotalScans;
  ui::Label& lblObjectsRemoved;
  ui::Label& lblObjectsQuarantined;
};

// The usage statistics while the program runs. Every change is shown at once: counts in the
// locale's number format, the last scan as the short date and long time ("Never" before the
// first scan, the date alone at midnight).
class UsageStatistics {
 public:
  UsageStatistics(const platform::Locale& locale, StatisticsLabels labels);

  const StatisticsValues& Values() const { return values_; }

  // Replaces the figures without showing them; Show() shows all four.
  void Assign(const StatisticsValues& values) { values_ = values; }
  void Show();

  // A scan started at now.
  void ScanStarted(platform::DateTime now);
  void CountRemoved();
  void CountQuarantined();
  // The quarantine became empty.
  void ClearQuarantined();
  // The quarantine holds count files.
  void SetQuarantined(std::int32_t count);

 private:
  void ShowCount(ui::Label& label, std::int32_t value);
  void ShowLastScan();

  const platform::Locale& locale_;
  StatisticsLabels labels_;
  StatisticsValues values_;
};

// The text of the last-scan label: "Never", or the date with the time unless it is midnight.
std::string LastScanText(platform::DateTime lastScan, const platform::Locale& locale);

}  // namespace nexolant
