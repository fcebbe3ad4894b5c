#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/portable/cp1252_locale.h"
#include "support/word_sort_names.h"

namespace nexolant::platform {
namespace {

int Sign(int value) {
  return (value > 0) - (value < 0);
}

TEST(Cp1252WordSort, OrdersNamesAsTheSystemDoes) {
  const Cp1252Locale locale;
  const auto& groups = testing::WordSortedNames();
  for (std::size_t i = 0; i < groups.size(); ++i) {
    for (std::size_t j = 0; j < groups.size(); ++j) {
      const int expected = Sign(static_cast<int>(i) - static_cast<int>(j));
      for (const std::string& a : groups[i]) {
        for (const std::string& b : groups[j]) {
          EXPECT_EQ(Sign(locale.CompareWordSort(a, b)), expected) << a << " / " << b;
        }
      }
    }
  }
}

TEST(Cp1252WordSort, CaseDecidesOnlyBetweenNamesThatDifferInNothingElse) {
  const Cp1252Locale locale;
  const std::vector<std::string> ascending = {"abc", "abC", "aBc", "aBC",
                                              "Abc", "AbC", "ABc", "ABC"};
  for (std::size_t i = 0; i + 1 < ascending.size(); ++i) {
    EXPECT_LT(locale.CompareWordSort(ascending[i], ascending[i + 1]), 0)
        << ascending[i] << " / " << ascending[i + 1];
    EXPECT_LT(locale.CompareWordSort(ascending[i], "abd"), 0) << ascending[i];
    EXPECT_GT(locale.CompareWordSort(ascending[i], "abb"), 0) << ascending[i];
  }
  EXPECT_EQ(locale.CompareWordSort("Nexolant.ini", "Nexolant.ini"), 0);
  EXPECT_LT(locale.CompareWordSort("nexolant.ini", "Nexolant.ini"), 0);
  EXPECT_GT(locale.CompareWordSort("NEXOLANT.INI", "Nexolant.ini"), 0);
}

}  // namespace
}  // namespace nexolant::platform
