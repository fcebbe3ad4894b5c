#include "reference/signature_list.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/portable/cp1252_locale.h"
#include "platform/portable/cp1252_word_sort.h"
#include "support/linear_find_signature.h"

namespace nexolant {
namespace {

// A locale whose upper-casing turns "i" into the dotted capital I (0xDD), as a Turkish one
// does: names must be ASCII upper-cased before the locale sees them.
class DottedILocale final : public platform::Locale {
 public:
  std::string FormatCount(std::int64_t value) const override { return std::to_string(value); }
  std::string FormatDateTime(platform::DateTime) const override { return {}; }
  std::string FormatDate(platform::DateTime) const override { return {}; }
  char DecimalSeparator() const override { return ','; }
  void UpperCaseInPlace(std::string& text) const override {
    for (char& c : text) {
      if (c == 'i') {
        c = '\xDD';
      } else if (c >= 'a' && c <= 'z') {
        c = static_cast<char>(c - 0x20);
      }
    }
  }
  int CompareText(std::string_view a, std::string_view b) const override {
    return UpperCase(a).compare(UpperCase(b));
  }
  int CompareWordSort(std::string_view a, std::string_view b) const override {
    return platform::CompareWordSort1252(a, b);
  }
};

SignatureList MakeList(StringList patterns, const platform::Locale& locale) {
  SignatureList list;
  list.Assign(std::move(patterns), locale);
  return list;
}

TEST(SignatureList, KeepsThePatternsInFileOrder) {
  const platform::Cp1252Locale locale;
  const SignatureList list = MakeList({"b.exe", "", "A*", "b.exe"}, locale);
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[0], "b.exe");
  EXPECT_EQ(list[1], "");
  EXPECT_EQ(list.Patterns(), (StringList{"b.exe", "", "A*", "b.exe"}));
}

TEST(SignatureList, FindsTheLowestMatchingIndex) {
  const platform::Cp1252Locale locale;
  const SignatureList list =
      MakeList({"OTHER.EXE", "SETUP*.EXE", "*.DLL", "b.exe", "B.EXE", "*", ""}, locale);
  EXPECT_EQ(list.Find("b.EXE"), 3);      // duplicates: the first one
  EXPECT_EQ(list.Find("setup.exe"), 1);  // prefix before a literal and "*" last
  EXPECT_EQ(list.Find("x.dll"), 2);      // suffix
  EXPECT_EQ(list.Find("x.dll.dll"), 5);  // "*.DLL" stops at the first "."
  EXPECT_EQ(list.Find("anything"), 5);   // only "*" takes it
  EXPECT_EQ(list.Find(""), 6);           // only the empty pattern matches the empty name
  EXPECT_EQ(MakeList({"A*", "?"}, locale).Find(""), -1);
  EXPECT_EQ(SignatureList().Find("A"), -1);
}

TEST(SignatureList, MatchesLongLiteralHeadsAndTails) {
  const platform::Cp1252Locale locale;
  const SignatureList list = MakeList(
      {"ABCDEFGHIJKL*.EXE", "*ABCDEFGHIJKL.EXE", "ABCDEFGHIJ?", "ABCDEFGHIJKLMNOP"}, locale);
  EXPECT_EQ(list.Find("abcdefghijklmn.exe"), 0);
  EXPECT_EQ(list.Find("abcdefghijk.exe"), -1);
  EXPECT_EQ(list.Find("xxabcdefghijkl.exe"), 1);
  EXPECT_EQ(list.Find("xxbbcdefghijkl.exe"), -1);
  EXPECT_EQ(list.Find("abcdefghijz"), 2);
  EXPECT_EQ(list.Find("abcdefghijklmnop"), 3);
  EXPECT_EQ(list.Find("abcdefghijklmno"), -1);
}

TEST(SignatureList, RaisesOnlyWhereTheWalkReachesAMalformedPatternFirst) {
  const platform::Cp1252Locale locale;
  const SignatureList list = MakeList({"A**", "X.EXE", "*?", "*.EXE"}, locale);
  EXPECT_EQ(list.Find("x.exe"), 1);                     // found before the malformed "*?"
  EXPECT_THROW(list.Find("AB"), InvalidMask);           // "A**" reached with name left
  EXPECT_THROW(list.Find("NOTEPAD.EXE"), InvalidMask);  // "*?" comes before "*.EXE"
  EXPECT_EQ(MakeList({"*.EXE", "*?"}, locale).Find("NOTEPAD.EXE"), 0);
  EXPECT_EQ(MakeList({"B**"}, locale).Find("AB"), -1);
  EXPECT_EQ(MakeList({"A**", "A"}, locale).Find("a"), 1);  // "A**" decided before its "*"
}

TEST(SignatureList, UpperCasesAsciiBeforeTheLocale) {
  const DottedILocale locale;
  const StringList patterns{"file.exe", "*.ini"};
  const SignatureList list = MakeList(patterns, locale);
  EXPECT_EQ(list.Find("FILE.EXE"), 0);
  EXPECT_EQ(list.Find("desktop.INI"), 1);
  EXPECT_EQ(list.Find("F\xDDLE.EXE"), -1);
  EXPECT_EQ(LinearFindSignature("FILE.EXE", patterns, locale), 0);
}

TEST(SignatureList, AssignReplacesEverything) {
  const platform::Cp1252Locale locale;
  SignatureList list = MakeList({"A.EXE", "B*"}, locale);
  list.Assign({"C.EXE"}, locale);
  EXPECT_EQ(list.size(), 1u);
  EXPECT_EQ(list.Find("A.EXE"), -1);
  EXPECT_EQ(list.Find("BX"), -1);
  EXPECT_EQ(list.Find("c.exe"), 0);
  list.Assign({}, locale);
  EXPECT_EQ(list.Find("c.exe"), -1);
}

// The outcome of a lookup: an index, -1, or kRaised for InvalidMask.
constexpr int kRaised = -2;

template <typename Lookup>
int LookupOutcome(Lookup lookup) {
  try {
    return lookup();
  } catch (const InvalidMask&) {
    return kRaised;
  }
}

class RandomCases {
 public:
  explicit RandomCases(std::uint32_t seed) : random_(seed) {}

  std::string Pattern() {
    static constexpr char kAlphabet[] = {'A', 'B', '.', 'a', '\xE9', '\xC9', '*', '?'};
    return Text(kAlphabet, Length());
  }

  // Half of the names are drawn from a pattern of the list, so that matches are common.
  std::string Name(const StringList& patterns) {
    static constexpr char kAlphabet[] = {'A', 'B', '.', 'a', 'b', '\xE9', '\xC9', '*', '?'};
    if (patterns.empty() || Below(2) == 0) {
      return Text(kAlphabet, Length());
    }
    std::string name;
    for (const char c : patterns[Below(patterns.size())]) {
      if (c == '?') {
        name.push_back(kAlphabet[Below(sizeof kAlphabet)]);
      } else if (c == '*') {
        name += Text(kAlphabet, Below(3));
      } else {
        name.push_back(c);
      }
    }
    return name;
  }

  std::size_t Below(std::size_t bound) {
    return std::uniform_int_distribution<std::size_t>(0, bound - 1)(random_);
  }

 private:
  // Mostly short, sometimes longer than the index's keys.
  std::size_t Length() { return Below(8) == 0 ? Below(14) : Below(6); }

  template <std::size_t N>
  std::string Text(const char (&alphabet)[N], std::size_t length) {
    std::string text;
    for (std::size_t k = 0; k < length; ++k) {
      text.push_back(alphabet[Below(N)]);
    }
    return text;
  }

  std::mt19937 random_;
};

// Every index whose pattern matches name, by the plain walk.
std::vector<std::uint32_t> LinearMatches(const std::string& name, const StringList& patterns,
                                         const platform::Locale& locale) {
  std::vector<std::uint32_t> found;
  for (std::uint32_t index = 0; index < patterns.size(); ++index) {
    if (EvaluateWildcardMatch(SignatureUpperCase(name, locale),
                              SignatureUpperCase(patterns[index], locale)) ==
        WildcardOutcome::kMatch) {
      found.push_back(index);
    }
  }
  return found;
}

// The indexed list against the linear walk: Find over every pattern, FindActive over the
// patterns left when a random few are marked inert, and Matches.
void ExpectSameAsLinear(std::uint32_t seed, const platform::Locale& locale) {
  RandomCases cases(seed);
  int matches = 0;
  int raised = 0;
  for (int listNumber = 0; listNumber < 25000; ++listNumber) {
    StringList patterns(cases.Below(21));
    for (std::string& pattern : patterns) {
      pattern = cases.Pattern();
    }
    SignatureList list = MakeList(patterns, locale);
    StringList active;
    std::vector<int> activeIndex;
    for (std::size_t index = 0; index < patterns.size(); ++index) {
      if (cases.Below(4) == 0) {
        list.MarkInert(index);
      } else {
        active.push_back(patterns[index]);
        activeIndex.push_back(static_cast<int>(index));
      }
    }
    for (int nameNumber = 0; nameNumber < 4; ++nameNumber) {
      const std::string name = cases.Name(patterns);
      ASSERT_EQ(list.Matches(name), LinearMatches(name, patterns, locale)) << name;
      const int activeExpected =
          LookupOutcome([&] { return LinearFindSignature(name, active, locale); });
      ASSERT_EQ(LookupOutcome([&] { return list.FindActive(name); }),
                activeExpected < 0 ? activeExpected : activeIndex[activeExpected])
          << name;
      const int expected =
          LookupOutcome([&] { return LinearFindSignature(name, patterns, locale); });
      const int actual = LookupOutcome([&] { return list.Find(name); });
      matches += expected >= 0;
      raised += expected == kRaised;
      if (actual != expected) {
        std::string shown;
        for (const std::string& pattern : patterns) {
          shown += "'" + pattern + "' ";
        }
        FAIL() << "name '" << name << "' in [ " << shown << "]: linear " << expected << ", indexed "
               << actual << " (" << kRaised << " = Invalid mask)";
      }
    }
  }
  // The cases must exercise every kind of answer.
  EXPECT_GT(matches, 30000);
  EXPECT_GT(raised, 5000);
}

TEST(SignatureList, AnswersExactlyAsTheLinearRule) {
  const platform::Cp1252Locale locale;
  ExpectSameAsLinear(20240601, locale);
}

TEST(SignatureList, AnswersExactlyAsTheLinearRuleUnderAnotherLocale) {
  const DottedILocale locale;
  ExpectSameAsLinear(7, locale);
}

}  // namespace
}  // namespace nexolant
