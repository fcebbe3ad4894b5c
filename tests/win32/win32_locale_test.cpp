#include "win32/win32_locale.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/portable/cp1252_locale.h"
#include "support/word_sort_names.h"

namespace nexolant::win32 {
namespace {

std::string LocaleText(LCTYPE type) {
  char text[80];
  const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, text, sizeof text);
  return length > 0 ? std::string(text, length - 1) : std::string();
}

// The bytes that are letters or digits in Windows-1252.
std::vector<char> LettersAndDigits() {
  std::vector<char> bytes;
  for (int c = 0; c < 256; ++c) {
    const bool ascii = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    const bool accented = c >= 0xC0 && c != 0xD7 && c != 0xF7;
    const bool caron =
        c == 0x8A || c == 0x8C || c == 0x8E || c == 0x9A || c == 0x9C || c == 0x9E || c == 0x9F;
    if (ascii || accented || caron) {
      bytes.push_back(static_cast<char>(c));
    }
  }
  return bytes;
}

// The text in quotes, with bytes outside printable ASCII as \xNN.
std::string Escaped(const std::string& text) {
  std::string shown = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte >= 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      shown += escape;
    } else {
      shown += c;
    }
  }
  return shown + "\"";
}

class Win32LocaleTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(GetACP(), 1252u) << "these tests assume the 1252 code page"; }

  Win32Locale locale_;
  platform::Cp1252Locale reference_;
};

TEST_F(Win32LocaleTest, UpperCasesEveryByteAsTheCodePageDoes) {
  for (int c = 0; c < 256; ++c) {
    const std::string byte(1, static_cast<char>(c));
    EXPECT_EQ(locale_.UpperCase(byte), reference_.UpperCase(byte)) << "byte " << c;
  }
  std::string all;
  for (int c = 0; c < 256; ++c) {
    all.push_back(static_cast<char>(c));
  }
  EXPECT_EQ(locale_.UpperCase(all), reference_.UpperCase(all));
}

TEST_F(Win32LocaleTest, SameTextAgreesOnLettersAndDigits) {
  const std::vector<char> bytes = LettersAndDigits();
  for (const char a : bytes) {
    for (const char b : bytes) {
      const std::string left(1, a);
      const std::string right(1, b);
      ASSERT_EQ(locale_.SameText(left, right), reference_.SameText(left, right))
          << "bytes " << static_cast<int>(static_cast<unsigned char>(a)) << " and "
          << static_cast<int>(static_cast<unsigned char>(b));
    }
  }
}

TEST_F(Win32LocaleTest, ComparesNamesLikeTheReferenceLocale) {
  struct Case {
    std::string a;
    std::string b;
  };
  const Case cases[] = {
      {"Settings", "SETTINGS"},
      {"General", "general"},
      {"TotalScans", "totalscans"},
      {"chkMinimize_Checked", "CHKMINIMIZE_CHECKED"},
      {"Files", "Filex"},
      {"abc", "abcd"},
      {"", ""},
      {"", "a"},
      {"ScanFiles", "OtherKill"},
      {"Registry", "registry2"},
      {"\xC9T\xC9", "\xE9t\xE9"},
      {"Z", "a"},
      {"\xFF", "\x9F"},
      {"LastScan", "LastScans"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(locale_.CompareText(c.a, c.b), reference_.CompareText(c.a, c.b))
        << c.a << " / " << c.b;
    EXPECT_EQ(locale_.CompareText(c.b, c.a), reference_.CompareText(c.b, c.a))
        << c.b << " / " << c.a;
  }
}

// Names, every single byte, and short texts drawn from characters that each level of the order
// decides on: the portable order must be the system's wherever the program may sort.
TEST_F(Win32LocaleTest, SortsInTheOrderOfThePortableLocale) {
  std::vector<std::string> names;
  for (const auto& group : testing::WordSortedNames()) {
    names.insert(names.end(), group.begin(), group.end());
  }
  for (int c = 1; c < 256; ++c) {
    names.emplace_back(1, static_cast<char>(c));
  }
  const std::string alphabet = "aAbB1_ -'\x01\xAD\xE1\xC1\xE6\xDF\xFE\xB2";
  for (const char first : alphabet) {
    for (const char second : alphabet) {
      names.push_back({first, second});
    }
  }
  const std::string marks = "aAb-'\xAD\xE1\xE6";
  for (const char first : marks) {
    for (const char second : marks) {
      for (const char third : marks) {
        names.push_back({first, second, third});
      }
    }
  }
  int mismatches = 0;
  for (const std::string& a : names) {
    for (const std::string& b : names) {
      const int system = locale_.CompareWordSort(a, b);
      const int portable = reference_.CompareWordSort(a, b);
      if ((system > 0) != (portable > 0) || (system < 0) != (portable < 0)) {
        ADD_FAILURE() << Escaped(a) << " / " << Escaped(b) << ": system " << system << ", portable "
                      << portable;
        ASSERT_LT(++mismatches, 20);
      }
    }
  }
}

TEST_F(Win32LocaleTest, FormatsCountsWithTheThousandsSeparatorAndNoDecimals) {
  const std::string separator = LocaleText(LOCALE_STHOUSAND);
  ASSERT_FALSE(separator.empty());
  EXPECT_EQ(locale_.FormatCount(1234567), "1" + separator + "234" + separator + "567");
  EXPECT_EQ(locale_.FormatCount(0), "0");
  EXPECT_EQ(locale_.FormatCount(999), "999");
  EXPECT_EQ(locale_.FormatCount(1000), "1" + separator + "000");
  const std::string negative = locale_.FormatCount(-1234);
  EXPECT_NE(negative.find("1" + separator + "234"), std::string::npos) << negative;
  EXPECT_NE(negative.find_first_of("-("), std::string::npos) << negative;
  const std::string s = separator;
  EXPECT_EQ(locale_.FormatCount(INT64_MAX),
            "9" + s + "223" + s + "372" + s + "036" + s + "854" + s + "775" + s + "807");
}

TEST_F(Win32LocaleTest, DecimalSeparatorIsTheLocales) {
  EXPECT_EQ(std::string(1, locale_.DecimalSeparator()), LocaleText(LOCALE_SDECIMAL));
}

// The text pieces of a date and a time, as the system formats them on its own.
std::string SystemDateTime(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
  SYSTEMTIME time = {};
  time.wYear = year;
  time.wMonth = month;
  time.wDay = day;
  time.wHour = hour;
  time.wMinute = minute;
  time.wSecond = second;
  char date[80];
  char clock[80];
  EXPECT_GT(GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, 80), 0);
  EXPECT_GT(GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, 80), 0);
  return std::string(date) + " " + clock;
}

TEST_F(Win32LocaleTest, FormatsDateTimesAsShortDateAndLongTime) {
  struct Case {
    platform::DateTime value;
    WORD year, month, day, hour, minute, second;
  };
  const Case cases[] = {
      {45678.75, 2025, 1, 21, 18, 0, 0},  // a known date
      {0.0, 1899, 12, 30, 0, 0, 0},       // the epoch
      {-1.25, 1899, 12, 29, 6, 0, 0},     // the fraction counts without its sign
      {36526.5 + 1.0 / 86400, 2000, 1, 1, 12, 0, 1},
      {2.0 - 0.0001 / 86400, 1900, 1, 1, 0, 0, 0},  // rounds up to the next midnight
      {-109205.0, 1601, 1, 1, 0, 0, 0},             // the first day the system can show
      {2958465.999, 9999, 12, 31, 23, 58, 33},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(locale_.FormatDateTime(c.value),
              SystemDateTime(c.year, c.month, c.day, c.hour, c.minute, c.second))
        << c.value;
  }
  const std::string text = locale_.FormatDateTime(45678.75);
  EXPECT_NE(text.find("2025"), std::string::npos) << text;
  EXPECT_NE(text.find("21"), std::string::npos) << text;
  EXPECT_NE(text.find(":00:00"), std::string::npos) << text;
}

TEST_F(Win32LocaleTest, RefusesDateTimesTheSystemCannotShow) {
  for (const double value : {-109206.0, 2958466.0, 2958465.9999999999, 1e300, -1e300}) {
    EXPECT_THROW(locale_.FormatDateTime(value), std::out_of_range) << value;
  }
  EXPECT_THROW(locale_.FormatDateTime(std::numeric_limits<double>::quiet_NaN()), std::out_of_range);
  EXPECT_THROW(locale_.FormatDateTime(std::numeric_limits<double>::infinity()), std::out_of_range);
}

}  // namespace
}  // namespace nexolant::win32
