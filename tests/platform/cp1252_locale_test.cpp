#include "platform/portable/cp1252_locale.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

namespace nexolant::platform {
namespace {

TEST(Cp1252Locale, UpperCasesEveryLowerCaseLetterOfTheCodePage) {
  const Cp1252Locale locale;
  std::string all(256, '\0');
  for (int c = 0; c < 256; ++c) {
    all[c] = static_cast<char>(c);
  }
  const std::string upper = locale.UpperCase(all);
  ASSERT_EQ(upper.size(), all.size());
  for (int c = 0; c < 256; ++c) {
    int expected = c;
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
      expected = c - 0x20;
    } else if (c == 0x9A || c == 0x9C || c == 0x9E) {
      expected = c - 0x10;
    } else if (c == 0xFF) {
      expected = 0x9F;
    }
    EXPECT_EQ(static_cast<unsigned char>(upper[c]), expected) << "byte " << c;
  }
}

TEST(Cp1252Locale, ComparesTextIgnoringCase) {
  const Cp1252Locale locale;
  EXPECT_TRUE(locale.SameText("Settings", "SETTINGS"));
  EXPECT_TRUE(locale.SameText("\xE9t\xE9", "\xC9T\xC9"));
  EXPECT_FALSE(locale.SameText("General", "Generals"));
  EXPECT_LT(locale.CompareText("abc", "ABD"), 0);
  EXPECT_GT(locale.CompareText("b", "A"), 0);
  EXPECT_LT(locale.CompareText("ab", "ABC"), 0);
  EXPECT_EQ(locale.CompareText("", ""), 0);
}

TEST(Cp1252Locale, FormatsCountsWithThousandsSeparators) {
  const Cp1252Locale locale;
  EXPECT_EQ(locale.FormatCount(0), "0");
  EXPECT_EQ(locale.FormatCount(999), "999");
  EXPECT_EQ(locale.FormatCount(1000), "1,000");
  EXPECT_EQ(locale.FormatCount(1234567), "1,234,567");
  EXPECT_EQ(locale.FormatCount(-1234), "-1,234");
  EXPECT_EQ(locale.FormatCount(-999), "-999");
  EXPECT_EQ(locale.FormatCount(std::numeric_limits<std::int64_t>::min()),
            "-9,223,372,036,854,775,808");
}

TEST(Cp1252Locale, FormatsDateTimesFromDaysSince18991230) {
  const Cp1252Locale locale;
  EXPECT_EQ(locale.FormatDateTime(0), "30/12/1899 00:00:00");
  EXPECT_EQ(locale.FormatDateTime(1.5), "31/12/1899 12:00:00");
  EXPECT_EQ(locale.FormatDateTime(45000.75), "15/03/2023 18:00:00");
  EXPECT_EQ(locale.FormatDateTime(45351 + (13 * 3600 + 2 * 60 + 5) / 86400.0),
            "29/02/2024 13:02:05");
  EXPECT_EQ(locale.FormatDateTime(0.1), "30/12/1899 02:24:00");
  // Before the base date the fraction still counts forward from the day's midnight.
  EXPECT_EQ(locale.FormatDateTime(-1), "29/12/1899 00:00:00");
  EXPECT_EQ(locale.FormatDateTime(-1.25), "29/12/1899 06:00:00");
  EXPECT_EQ(locale.FormatDateTime(-0.5), "30/12/1899 12:00:00");
  EXPECT_EQ(locale.FormatDateTime(1.9999999999), "01/01/1900 00:00:00");
  EXPECT_EQ(locale.FormatDateTime(-693593), "01/01/0001 00:00:00");
  EXPECT_EQ(locale.FormatDateTime(2958465.5), "31/12/9999 12:00:00");
}

TEST(Cp1252Locale, RejectsDateTimesOutsideTheCalendar) {
  const Cp1252Locale locale;
  EXPECT_THROW(locale.FormatDateTime(-693594), std::out_of_range);
  EXPECT_THROW(locale.FormatDateTime(2958466), std::out_of_range);
  EXPECT_THROW(locale.FormatDateTime(2958465.999999999), std::out_of_range);
  EXPECT_THROW(locale.FormatDateTime(std::numeric_limits<double>::quiet_NaN()), std::out_of_range);
  EXPECT_THROW(locale.FormatDateTime(std::numeric_limits<double>::infinity()), std::out_of_range);
  EXPECT_EQ(locale.DecimalSeparator(), '.');
}

}  // namespace
}  // namespace nexolant::platform
