#include "settings/usage_statistics.h"

#include <gtest/gtest.h>

#include "platform/portable/cp1252_locale.h"
#include "support/ascii_locale.h"
#include "support/shown_statistics.h"

namespace nexolant {
namespace {

class UsageStatisticsTest : public ::testing::Test {
 protected:
  AsciiLocale locale_;
  UsageStatistics statistics_;
  ShownStatistics shown_{statistics_, locale_};
  ui::Label& lastScan_ = shown_.Page().lblLastSystemScan();
  ui::Label& totalScans_ = shown_.Page().lblTotalScans();
  ui::Label& removed_ = shown_.Page().lblObjectsRemoved();
  ui::Label& quarantined_ = shown_.Page().lblObjectsQuarantined();
};

TEST_F(UsageStatisticsTest, EveryChangeShowsAtOnceInTheLabelsFormats) {
  statistics_.Assign({.TotalScans = 1233,
                      .LastScan = StatisticsValues::kNever,
                      .ObjectsRemoved = 999,
                      .ObjectsQuarantined = 1000000});
  EXPECT_EQ(totalScans_.Caption(), "0") << "assigned figures show only when asked";
  statistics_.Show();
  EXPECT_EQ(lastScan_.Caption(), "Never");
  EXPECT_EQ(totalScans_.Caption(), "1,233");
  EXPECT_EQ(removed_.Caption(), "999");
  EXPECT_EQ(quarantined_.Caption(), "1,000,000");

  statistics_.ScanStarted(46000.75);
  EXPECT_EQ(totalScans_.Caption(), "1,234");
  EXPECT_EQ(lastScan_.Caption(), "2025-12-09 18:00:00");
  statistics_.CountRemoved();
  EXPECT_EQ(removed_.Caption(), "1,000");
  statistics_.CountQuarantined();
  EXPECT_EQ(quarantined_.Caption(), "1,000,001");
  statistics_.ClearQuarantined();
  EXPECT_EQ(quarantined_.Caption(), "0");
  EXPECT_EQ(statistics_.Values(), (StatisticsValues{.TotalScans = 1234,
                                                    .LastScan = 46000.75,
                                                    .ObjectsRemoved = 1000,
                                                    .ObjectsQuarantined = 0}));
}

TEST(LastScanText, LeavesOutTheTimeOnlyAtMidnight) {
  const AsciiLocale locale;
  EXPECT_EQ(LastScanText(StatisticsValues::kNever, locale), "Never");
  EXPECT_EQ(LastScanText(46000.0, locale), "2025-12-09");
  EXPECT_EQ(LastScanText(46000.0 + 1.0 / 86400, locale), "2025-12-09 00:00:01");
  EXPECT_EQ(LastScanText(46000.5, locale), "2025-12-09 12:00:00");
  // A binary fraction a hair off midnight is still midnight to the second.
  EXPECT_EQ(LastScanText(46000.0 + 1e-9, locale), "2025-12-09");
  // As the system shows times (to the millisecond, seconds cut): half a second before midnight
  // is shown with its time, and what rounds to midnight is the next day's.
  const platform::Cp1252Locale system;
  EXPECT_EQ(LastScanText(46000.0 + 86399.5 / 86400, system), "09/12/2025 23:59:59");
  EXPECT_EQ(LastScanText(46000.0 + 86399.9999 / 86400, system), "10/12/2025");
  EXPECT_EQ(LastScanText(46000.0 + 0.9 / 86400, system), "09/12/2025");
}

TEST_F(UsageStatisticsTest, CountsWrapAroundInsteadOfOverflowing) {
  statistics_.Assign({.TotalScans = 2147483647});
  statistics_.ScanStarted(46000.5);
  EXPECT_EQ(statistics_.Values().TotalScans, -2147483647 - 1);
}

}  // namespace
}  // namespace nexolant
