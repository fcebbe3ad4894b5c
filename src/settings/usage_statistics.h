#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/clock.h"
#include "platform/locale.h"

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

// The four figures, as a change names them.
enum class StatisticsField { kLastScan, kTotalScans, kObjectsRemoved, kObjectsQuarantined };

// The usage statistics while the program runs. Every change is told at once. What this run
// changed since the figures were read is kept too, so that the figures another process wrote to
// the file meanwhile are not lost when this one writes.
class UsageStatistics {
 public:
  const StatisticsValues& Values() const { return values_; }

  // Told after each change of a figure.
  std::function<void(StatisticsField field)> OnChanged;

  // Replaces the figures without telling, as read from the file; Show() tells all four.
  void Assign(const StatisticsValues& values) {
    values_ = values;
    changes_ = {};
  }
  void Show();

  // The figures to write over those the file holds now: its counts plus what this run added,
  // but a quarantine count this run set (an Empty, the last Restore) with only what it added
  // since; the later of the two last scans.
  StatisticsValues MergedWith(const StatisticsValues& onDisk) const;

  // A scan started at now.
  void ScanStarted(platform::DateTime now);
  void CountRemoved();
  void CountQuarantined();
  // The quarantine became empty.
  void ClearQuarantined();
  // The quarantine holds count files.
  void SetQuarantined(std::int32_t count);

 private:
  void Changed(StatisticsField field);

  struct Changes {
    std::int32_t scans = 0;
    std::int32_t removed = 0;
    std::int32_t quarantined = 0;  // since the count was set, when it was
    std::optional<std::int32_t> quarantinedSet;
  };

  StatisticsValues values_;
  Changes changes_;
};

// The text of the last-scan label: "Never", or the date with the time unless it is midnight.
std::string LastScanText(platform::DateTime lastScan, const platform::Locale& locale);

}  // namespace nexolant
