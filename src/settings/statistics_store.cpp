#include "settings/statistics_store.h"

#include <optional>

#include "platform/errors.h"
#include "settings/float_text.h"

namespace nexolant {
namespace {

constexpr const char* kSection = "General";
// The days the Status page can show: 1601-01-01 to 9999-12-31.
constexpr double kFirstDay = -109205;
constexpr double kLastDay = 2958466;

// The last scan, "never" included; none for a text that is no number, or a number that is no
// date the Status page can show.
std::optional<platform::DateTime> LastScanFrom(const std::string& text, char decimalSeparator) {
  const std::optional<double> value = TextToFloat(text, decimalSeparator);
  if (value && *value == StatisticsValues::kNever) {
    return StatisticsValues::kNever;
  }
  if (!value || *value < kFirstDay || *value >= kLastDay) {
    return std::nullopt;
  }
  return *value;
}

}  // namespace

void StatisticsStore::Load(const platform::Path& fileName) {
  std::optional<TBigIniFile> ini;
  try {
    ini.emplace(services_, fileName);
  } catch (const platform::IoError&) {
    fileUnreadable_ = true;
    throw;
  }
  StatisticsValues values;
  values.TotalScans = ini->ReadInteger(kSection, "TotalScans", 0);
  values.ObjectsRemoved = ini->ReadInteger(kSection, "ObjectsRemoved", 0);
  values.ObjectsQuarantined = ini->ReadInteger(kSection, "ObjectsQuarantined", 0);
  const std::optional<platform::DateTime> lastScan = LastScanFrom(
      ini->ReadString(kSection, "LastScan", "-1"), services_.locale.DecimalSeparator());
  values.LastScan = lastScan.value_or(StatisticsValues::kNever);
  statistics_.Assign(values);
  // An unreadable last scan leaves every label as it was; the counts are kept all the same.
  if (lastScan) {
    statistics_.Show();
  }
}

void StatisticsStore::Save(const platform::Path& fileName) {
  if (saved_ || fileUnreadable_) {
    return;
  }
  saved_ = true;
  TBigIniFile ini(services_, fileName);
  const StatisticsValues& values = statistics_.Values();
  ini.WriteInteger(kSection, "TotalScans", values.TotalScans);
  ini.WriteInteger(kSection, "ObjectsRemoved", values.ObjectsRemoved);
  ini.WriteInteger(kSection, "ObjectsQuarantined", values.ObjectsQuarantined);
  if (values.LastScan == StatisticsValues::kNever) {
    ini.WriteInteger(kSection, "LastScan", -1);
  } else {
    ini.WriteString(kSection, "LastScan",
                    FloatToText(values.LastScan, services_.locale.DecimalSeparator()));
  }
}

}  // namespace nexolant
