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

void UsageStatistics::ScanStarted(platform::DateTime now) {
  values_.TotalScans = WrappingIncrement(values_.TotalScans);
  Changed(StatisticsField::kTotalScans);
  values_.LastScan = now;
  Changed(StatisticsField::kLastScan);
}

void UsageStatistics::CountRemoved() {
  values_.ObjectsRemoved = WrappingIncrement(values_.ObjectsRemoved);
  Changed(StatisticsField::kObjectsRemoved);
}

void UsageStatistics::CountQuarantined() {
  values_.ObjectsQuarantined = WrappingIncrement(values_.ObjectsQuarantined);
  Changed(StatisticsField::kObjectsQuarantined);
}

void UsageStatistics::ClearQuarantined() {
  SetQuarantined(0);
}

void UsageStatistics::SetQuarantined(std::int32_t count) {
  values_.ObjectsQuarantined = count;
  Changed(StatisticsField::kObjectsQuarantined);
}

void UsageStatistics::Changed(StatisticsField field) {
  Raise(OnChanged, field);
}

}  // namespace nexolant
