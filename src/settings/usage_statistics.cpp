#include "settings/usage_statistics.h"

#include <cmath>

namespace nexolant {
namespace {

// The counts wrap around at the 32-bit limit instead of overflowing.
std::int32_t Increment(std::int32_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) + 1u);
}

bool AtMidnight(platform::DateTime value) {
  const double fraction = std::fabs(value - std::trunc(value));
  return std::llround(fraction * 86400.0) % 86400 == 0;
}

}  // namespace

std::string LastScanText(platform::DateTime lastScan, const platform::Locale& locale) {
  if (lastScan == StatisticsValues::kNever) {
    return "Never";
  }
  return AtMidnight(lastScan) ? locale.FormatDate(lastScan) : locale.FormatDateTime(lastScan);
}

UsageStatistics::UsageStatistics(const platform::Locale& locale, StatisticsLabels labels)
    : locale_(locale), labels_(labels) {}

void UsageStatistics::Show() {
  ShowLastScan();
  ShowCount(labels_.lblTotalScans, values_.TotalScans);
  ShowCount(labels_.lblObjectsRemoved, values_.ObjectsRemoved);
  ShowCount(labels_.lblObjectsQuarantined, values_.ObjectsQuarantined);
}

void UsageStatistics::ScanStarted(platform::DateTime now) {
  values_.TotalScans = Increment(values_.TotalScans);
  ShowCount(labels_.lblTotalScans, values_.TotalScans);
  values_.LastScan = now;
  ShowLastScan();
}

void UsageStatistics::CountRemoved() {
  values_.ObjectsRemoved = Increment(values_.ObjectsRemoved);
  ShowCount(labels_.lblObjectsRemoved, values_.ObjectsRemoved);
}

void UsageStatistics::CountQuarantined() {
  values_.ObjectsQuarantined = Increment(values_.ObjectsQuarantined);
  ShowCount(labels_.lblObjectsQuarantined, values_.ObjectsQuarantined);
}

void UsageStatistics::ClearQuarantined() {
  SetQuarantined(0);
}

void UsageStatistics::SetQuarantined(std::int32_t count) {
  values_.ObjectsQuarantined = count;
  ShowCount(labels_.lblObjectsQuarantined, count);
}

void UsageStatistics::ShowCount(ui::Label& label, std::int32_t value) {
  label.SetCaption(locale_.FormatCount(value));
}

void UsageStatistics::ShowLastScan() {
  labels_.lblLastSystemScan.SetCaption(LastScanText(values_.LastScan, locale_));
}

}  // namespace nexolant
