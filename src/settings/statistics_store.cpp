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

platform::DateTime LastScanFrom(const std::string& text, char decimalSeparator) {
  const std::optional<double> value = TextToFloat(text, decimalSeparator);
  if (!value || *value == StatisticsValues::kNever || *value < kFirstDay || *value >= kLastDay) {
    return StatisticsValues::kNever;
  }
  return *value;
}

}  // namespace

void StatisticsStore::Load(const std::string& fileName) {
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
  values.LastScan = LastScanFrom(ini->ReadString(kSection, "LastScan", "-1"),
                                 services_.locale.DecimalSeparator());
  statistics_.Assign(values);
  statistics_.Show();
}

void StatisticsStore::Save(const std::string& fileName) {
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
