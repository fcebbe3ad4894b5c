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

// The figures the file holds; the last scan none when it cannot be read.
struct FileFigures {
  StatisticsValues values;
  bool lastScanRead = false;
};

FileFigures ReadFigures(TBigIniFile& ini, char decimalSeparator) {
  StatisticsValues values;
  values.TotalScans = ini.ReadInteger(kSection, "TotalScans", 0);
  values.ObjectsRemoved = ini.ReadInteger(kSection, "ObjectsRemoved", 0);
  values.ObjectsQuarantined = ini.ReadInteger(kSection, "ObjectsQuarantined", 0);
  const std::optional<platform::DateTime> lastScan =
      LastScanFrom(ini.ReadString(kSection, "LastScan", "-1"), decimalSeparator);
  values.LastScan = lastScan.value_or(StatisticsValues::kNever);
  return {values, lastScan.has_value()};
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
  const FileFigures figures = ReadFigures(*ini, services_.locale.DecimalSeparator());
  statistics_.Assign(figures.values);
  // An unreadable last scan leaves every label as it was; the counts are kept all the same.
  if (figures.lastScanRead) {
    statistics_.Show();
  }
}

void StatisticsStore::Save(const platform::Path& fileName) {
  if (saved_ || fileUnreadable_) {
    return;
  }
  saved_ = true;
  const platform::FolderLockScope locked(lock_, services_.pump);
  TBigIniFile ini(services_, fileName);
  const StatisticsValues values =
      statistics_.MergedWith(ReadFigures(ini, services_.locale.DecimalSeparator()).values);
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
