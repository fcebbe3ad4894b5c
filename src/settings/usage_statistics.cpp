#include "settings/usage_statistics.h"

#include <cmath>

#include "platform/raise.h"
#include "platform/wrapping_counter.h"

namespace nexolant {

using platform::WrappingIncrement;

namespace {

// Whether the time shown (to the millisecond, seconds cut) is 00:00:00, this day's or the next.
bool AtMidnight(platform::DateTime value) {
  constexpr double kMillisecondsPerDay = 86'400'000.0;
  const std::int64_t milliseconds =
      std::llround(std::fabs(value - std::trunc(value)) * kMillisecondsPerDay);
  return milliseconds < 1000 || milliseconds >= static_cast<std::int64_t>(kMillisecondsPerDay);
}

// Adds to a 32-bit signed count, wrapping around at its limit as each increment does.
std::int32_t WrappingAdd(std::int32_t value, std::int32_t added) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) +
                                   static_cast<std::uint32_t>(added));
}

platform::DateTime Later(platform::DateTime a, platform::DateTime b) {
  if (a == StatisticsValues::kNever || b == StatisticsValues::kNever) {
    return a == StatisticsValues::kNever ? b : a;
  }
  return a < b ? b : a;
}

}  // namespace

std::string LastScanText(platform::DateTime lastScan, const platform::Locale& locale) {
  if (lastScan == StatisticsValues::kNever) {
    return "Never";
  }
  return AtMidnight(lastScan) ? locale.FormatDate(lastScan) : locale.FormatDateTime(lastScan);
}

void UsageStatistics::Show() {
  for (StatisticsField field :
       {StatisticsField::kLastScan, StatisticsField::kTotalScans, StatisticsField::kObjectsRemoved,
        StatisticsField::kObjectsQuarantined}) {
    Changed(field);
  }
}

StatisticsValues UsageStatistics::MergedWith(const StatisticsValues& onDisk) const {
  return {.TotalScans = WrappingAdd(onDisk.TotalScans, changes_.scans),
          .LastScan = Later(onDisk.LastScan, values_.LastScan),
          .ObjectsRemoved = WrappingAdd(onDisk.ObjectsRemoved, changes_.removed),
          .ObjectsQuarantined = WrappingAdd(
              changes_.quarantinedSet.value_or(onDisk.ObjectsQuarantined), changes_.quarantined)};
}

void UsageStatistics::ScanStarted(platform::DateTime now) {
  changes_.scans = WrappingIncrement(changes_.scans);
  values_.TotalScans = WrappingIncrement(values_.TotalScans);
  Changed(StatisticsField::kTotalScans);
  values_.LastScan = now;
  Changed(StatisticsField::kLastScan);
}

void UsageStatistics::CountRemoved() {
  changes_.removed = WrappingIncrement(changes_.removed);
  values_.ObjectsRemoved = WrappingIncrement(values_.ObjectsRemoved);
  Changed(StatisticsField::kObjectsRemoved);
}

void UsageStatistics::CountQuarantined() {
  changes_.quarantined = WrappingIncrement(changes_.quarantined);
  values_.ObjectsQuarantined = WrappingIncrement(values_.ObjectsQuarantined);
  Changed(StatisticsField::kObjectsQuarantined);
}

void UsageStatistics::ClearQuarantined() {
  SetQuarantined(0);
}

void UsageStatistics::SetQuarantined(std::int32_t count) {
  changes_.quarantinedSet = count;
  changes_.quarantined = 0;
  values_.ObjectsQuarantined = count;
  Changed(StatisticsField::kObjectsQuarantined);
}

void UsageStatistics::Changed(StatisticsField field) {
  Raise(OnChanged, field);
}

}  // namespace nexolant
