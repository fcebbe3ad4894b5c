#include "settings/statistics_store.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "fakes/fake_folder_lock.h"
#include "fakes/memory_file_system.h"
#include "platform/errors.h"
#include "platform/portable/idle_pump.h"
#include "settings/float_text.h"
#include "support/ascii_locale.h"
#include "support/recording_warnings.h"
#include "support/shown_statistics.h"

namespace nexolant {
namespace {

constexpr const char* kIni = "C:\\Nexolant\\Nexolant.ini";

// A locale that writes decimals with a comma.
class CommaLocale : public AsciiLocale {
 public:
  char DecimalSeparator() const override { return ','; }
};

// The Status page's four labels, the statistics they show and the store over one file.
class StatisticsStoreTest : public ::testing::Test {
 protected:
  StatisticsStoreTest() { files_.AddFolder("C:\\Nexolant"); }

  // A store as one run of the program has it, with its own Status page.
  struct Run {
    Run(IniServices services, const platform::Locale& locale)
        : shown(statistics, locale), store(services, statistics, lock) {}

    UsageStatistics statistics;
    FakeFolderLock lock;
    ShownStatistics shown;
    ui::Label& lastScan = shown.Page().lblLastSystemScan();
    ui::Label& totalScans = shown.Page().lblTotalScans();
    ui::Label& removed = shown.Page().lblObjectsRemoved();
    ui::Label& quarantined = shown.Page().lblObjectsQuarantined();
    StatisticsStore store;

    std::vector<std::string> Captions() const {
      return {lastScan.Caption(), totalScans.Caption(), removed.Caption(), quarantined.Caption()};
    }
  };

  Run NewRun(const platform::Locale& locale) {
    return Run(IniServices{.files = files_, .locale = locale, .pump = pump_, .warnings = warnings_},
               locale);
  }
  std::string Text() const { return files_.Contents(kIni).value_or("<no file>"); }

  MemoryFileSystem files_;
  AsciiLocale locale_;
  platform::IdlePump pump_;
  RecordingWarnings warnings_;
};

TEST_F(StatisticsStoreTest, FiguresRoundTripThroughTheFileKeepingTheOtherSections) {
  files_.AddFile(kIni,
                 "[Settings]\r\nFormVersion=0\r\n[General]\r\nTotalScans=1233\r\n"
                 "ObjectsRemoved=999\r\nObjectsQuarantined=1000000\r\nLastScan=46000\r\n");
  {
    Run run = NewRun(locale_);
    run.store.Load(kIni);
    EXPECT_EQ(run.Captions(),
              (std::vector<std::string>{"2025-12-09", "1,233", "999", "1,000,000"}));
    run.statistics.ScanStarted(46000.123456789012);
    run.store.Save(kIni);
  }
  EXPECT_EQ(Text(),
            "[Settings]\r\nFormVersion=0\r\n\r\n"
            "[General]\r\nTotalScans=1234\r\nObjectsRemoved=999\r\nObjectsQuarantined=1000000\r\n"
            "LastScan=46000.123456789\r\n\r\n");

  Run next = NewRun(locale_);
  next.store.Load(kIni);
  EXPECT_EQ(next.Captions(),
            (std::vector<std::string>{"2025-12-09 02:57:47", "1,234", "999", "1,000,000"}));
  EXPECT_EQ(next.statistics.Values().LastScan, 46000.123456789);
}

// The window and the console scanner over one file, the console writing while the window runs:
// the window writes the file's figures then plus its own changes, a quarantine count it set as
// set, and the later last scan.
TEST_F(StatisticsStoreTest, TwoProcessesOverOneFileLoseNothingTheOtherWrote) {
  const struct {
    const char* what;
    std::function<void(UsageStatistics&)> window;
    StatisticsValues expected;
  } cases[] = {
      {"counts added",
       [](UsageStatistics& window) {
         window.ScanStarted(46000.75);
         window.CountRemoved();
       },
       {.TotalScans = 12, .LastScan = 46001.0, .ObjectsRemoved = 7, .ObjectsQuarantined = 9}},
      {"an Empty, then one quarantined",
       [](UsageStatistics& window) {
         window.ClearQuarantined();
         window.CountQuarantined();
       },
       {.TotalScans = 11, .LastScan = 46001.0, .ObjectsRemoved = 6, .ObjectsQuarantined = 1}},
      {"a later scan",
       [](UsageStatistics& window) { window.ScanStarted(46002.25); },
       {.TotalScans = 12, .LastScan = 46002.25, .ObjectsRemoved = 6, .ObjectsQuarantined = 9}},
  };
  for (const auto& c : cases) {
    files_.AddFile(kIni,
                   "[General]\r\nTotalScans=10\r\nObjectsRemoved=5\r\nObjectsQuarantined=7\r\n"
                   "LastScan=46000.5\r\n");
    Run window = NewRun(locale_);
    window.store.Load(kIni);
    Run console = NewRun(locale_);
    console.statistics.ScanStarted(46001.0);
    console.statistics.CountQuarantined();
    console.statistics.CountQuarantined();
    console.statistics.CountRemoved();
    console.store.Save(kIni);
    c.window(window.statistics);
    window.store.Save(kIni);
    EXPECT_FALSE(window.lock.Held());
    EXPECT_EQ(window.lock.Taken(), 1);
    Run next = NewRun(locale_);
    next.store.Load(kIni);
    EXPECT_EQ(next.statistics.Values(), c.expected) << c.what << "\n" << Text();
  }
}

TEST_F(StatisticsStoreTest, LastScanUsesTheLocalesDecimalSeparatorBothWays) {
  const CommaLocale comma;
  {
    Run run = NewRun(comma);
    run.statistics.ScanStarted(46000.5);
    run.store.Save(kIni);
  }
  EXPECT_NE(Text().find("LastScan=46000,5\r\n"), std::string::npos) << Text();
  Run withComma = NewRun(comma);
  withComma.store.Load(kIni);
  EXPECT_EQ(withComma.lastScan.Caption(), "2025-12-09 12:00:00");
  Run withPoint = NewRun(locale_);
  withPoint.store.Load(kIni);
  EXPECT_EQ(withPoint.lastScan.Caption(), "Never") << "another locale's notation is no number";
  EXPECT_EQ(withPoint.totalScans.Caption(), "0") << "an unreadable last scan shows no figure";
  EXPECT_EQ(withPoint.statistics.Values().TotalScans, 1);
}

// Figures that are not numbers: the counts read as 0, a last scan as never; a last scan that
// cannot be read leaves all four labels as they were, and the counts read are kept.
TEST_F(StatisticsStoreTest, TextThatIsNoNumberReadsAsTheDefault) {
  for (const char* lastScan : {"yesterday", "1,5", "", "1e300", "-1e6", "nan", "46000.5.1"}) {
    files_.AddFile(kIni, std::string("[General]\r\nTotalScans=1,234\r\nObjectsRemoved=12x\r\n"
                                     "ObjectsQuarantined= 4321\r\nLastScan=") +
                             lastScan + "\r\n");
    Run run = NewRun(locale_);
    run.store.Load(kIni);
    EXPECT_EQ(run.Captions(), (std::vector<std::string>{"Never", "0", "0", "0"})) << lastScan;
    EXPECT_EQ(run.statistics.Values().ObjectsQuarantined, 4321) << lastScan;
    run.store.Save(kIni);
    EXPECT_NE(Text().find("LastScan=-1\r\n"), std::string::npos) << lastScan;
    EXPECT_NE(Text().find("ObjectsQuarantined=4321\r\n"), std::string::npos) << lastScan;
  }
}

TEST_F(StatisticsStoreTest, AnUnreadableFileKeepsItsFiguresAndIsNotWrittenOver) {
  const std::string stored = "[General]\r\nTotalScans=7\r\nLastScan=46000.5\r\n";
  files_.AddFile(kIni, stored);
  files_.SetUnreadable(kIni);
  Run run = NewRun(locale_);
  EXPECT_THROW(run.store.Load(kIni), platform::IoError);
  EXPECT_EQ(run.Captions(), (std::vector<std::string>{"Never", "0", "0", "0"}));
  files_.SetUnreadable(kIni, false);
  run.statistics.ScanStarted(46001.0);
  run.store.Save(kIni);
  EXPECT_EQ(Text(), stored);
}

TEST(FloatText, WritesTheGeneralFormatWithFifteenDigits) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {-1, "-1"},
      {0, "0"},
      {46000.5, "46000.5"},
      {46000, "46000"},
      {46000.123456789012, "46000.123456789"},
      {0.1, "0.1"},
      {-0.25, "-0.25"},
      {0.00001, "0.00001"},
      {0.000001234, "1.234E-6"},
      {123456789012345, "123456789012345"},
      {1234567890123456, "1.23456789012346E15"},
      {1.5e20, "1.5E20"},
      {999999999999999.9, "1E15"},
  };
  for (const auto& expected : cases) {
    EXPECT_EQ(FloatToText(expected.value, '.'), expected.text) << expected.text;
  }
  EXPECT_EQ(FloatToText(46000.5, ','), "46000,5");
  EXPECT_EQ(FloatToText(1.5e-7, ','), "1,5E-7");
}

TEST(FloatText, ReadsNumbersInTheLocalesNotationOnly) {
  const struct {
    const char* text;
    char separator;
    std::optional<double> value;
  } cases[] = {
      {"46000.5", '.', 46000.5},
      {"  -1  ", '.', -1},
      {"+2", '.', 2},
      {"1.", '.', 1},
      {".5", '.', 0.5},
      {"1E3", '.', 1000},
      {"1e-3", '.', 0.001},
      {"1.5E+2", '.', 150},
      {"46000,5", ',', 46000.5},
      {"46000.5", ',', std::nullopt},
      {"1,234.5", '.', std::nullopt},
      {"1.2.3", '.', std::nullopt},
      {"", '.', std::nullopt},
      {"   ", '.', std::nullopt},
      {"-", '.', std::nullopt},
      {".", '.', std::nullopt},
      {"1e", '.', std::nullopt},
      {"1e+", '.', std::nullopt},
      {"E5", '.', std::nullopt},
      {"inf", '.', std::nullopt},
      {"nan", '.', std::nullopt},
      {"0x10", '.', std::nullopt},
      {"1e999", '.', std::nullopt},
      {"1 2", '.', std::nullopt},
  };
  for (const auto& expected : cases) {
    EXPECT_EQ(TextToFloat(expected.text, expected.separator), expected.value) << expected.text;
  }
}

TEST(FloatText, DatesReadBackWithinTheFifteenDigitsTheyKeep) {
  std::mt19937_64 random(12345);
  std::uniform_real_distribution<double> dates(-109205.0, 2958466.0);
  for (int i = 0; i < 100000; ++i) {
    const double value = dates(random);
    const std::optional<double> back = TextToFloat(FloatToText(value, ','), ',');
    ASSERT_TRUE(back) << FloatToText(value, ',');
    ASSERT_NEAR(*back, value, std::fabs(value) * 1e-14) << FloatToText(value, ',');
  }
}

}  // namespace
}  // namespace nexolant
