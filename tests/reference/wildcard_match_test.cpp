#include "reference/wildcard_match.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/portable/cp1252_locale.h"

namespace nexolant {
namespace {

enum class Expect { kTrue, kFalse, kInvalidMask };

struct MatchCase {
  const char* pattern;
  const char* name;
  Expect expect;
};

void PrintTo(const MatchCase& c, std::ostream* out) {
  *out << "'" << c.pattern << "' against '" << c.name << "'";
}

class WildcardMatchCases : public ::testing::TestWithParam<MatchCase> {};

TEST_P(WildcardMatchCases, AnswersAsTheSinglePassRuleSays) {
  const MatchCase& c = GetParam();
  const platform::Cp1252Locale locale;
  switch (c.expect) {
    case Expect::kTrue:
      EXPECT_TRUE(WildcardMatch(c.name, c.pattern, false, locale));
      EXPECT_TRUE(WildcardMatchUpper(c.name, c.pattern));
      break;
    case Expect::kFalse:
      EXPECT_FALSE(WildcardMatch(c.name, c.pattern, false, locale));
      EXPECT_FALSE(WildcardMatchUpper(c.name, c.pattern));
      break;
    case Expect::kInvalidMask:
      EXPECT_THROW(WildcardMatch(c.name, c.pattern, false, locale), InvalidMask);
      EXPECT_THROW(WildcardMatchUpper(c.name, c.pattern), InvalidMask);
      break;
  }
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, WildcardMatchCases,
    ::testing::Values(
        MatchCase{"", "", Expect::kTrue}, MatchCase{"", "A", Expect::kFalse},
        MatchCase{"*", "A", Expect::kTrue}, MatchCase{"*", "ABC", Expect::kTrue},
        MatchCase{"*", "", Expect::kFalse},
        // A trailing "*" needs at least one character.
        MatchCase{"ABC*", "ABCD", Expect::kTrue}, MatchCase{"ABC*", "ABC", Expect::kFalse},
        // A "*" stops at the first occurrence of the character after it.
        MatchCase{"*B", "AB", Expect::kTrue}, MatchCase{"*B", "ABB", Expect::kFalse},
        MatchCase{"*AB", "XAB", Expect::kTrue}, MatchCase{"*AB", "XAAB", Expect::kFalse},
        MatchCase{"A*C", "ABC", Expect::kTrue}, MatchCase{"A*C", "ACC", Expect::kFalse},
        MatchCase{"*.EXE", "NOTEPAD.EXE", Expect::kTrue},
        MatchCase{"*.EXE", "A.B.EXE", Expect::kFalse},
        // A "*" before a literal may stand for nothing.
        MatchCase{"*A", "A", Expect::kTrue}, MatchCase{"A*B", "AB", Expect::kTrue},
        MatchCase{"SETUP*.EXE", "SETUP.EXE", Expect::kTrue},
        MatchCase{"SETUP*.EXE", "SETUPX.EXE", Expect::kTrue},
        MatchCase{"A?C", "ABC", Expect::kTrue}, MatchCase{"A?C", "AC", Expect::kFalse},
        MatchCase{"A?C", "ABBC", Expect::kFalse}, MatchCase{"?", "", Expect::kFalse},
        MatchCase{"AB?", "AB", Expect::kFalse}, MatchCase{"ABC", "ABCD", Expect::kFalse},
        MatchCase{"ABCD", "ABC", Expect::kFalse},
        // A malformed "*" raises only when reached with name characters left.
        MatchCase{"A**", "AB", Expect::kInvalidMask}, MatchCase{"A**", "A", Expect::kFalse},
        MatchCase{"Y**", "X", Expect::kFalse}, MatchCase{"**", "A", Expect::kInvalidMask},
        MatchCase{"**", "", Expect::kFalse}, MatchCase{"A*?", "AB", Expect::kInvalidMask},
        MatchCase{"*?", "A", Expect::kInvalidMask}, MatchCase{"?**", "A", Expect::kFalse},
        MatchCase{"?**", "AB", Expect::kInvalidMask}, MatchCase{"X*Y**", "XAY", Expect::kFalse},
        MatchCase{"X*Y**", "XAYB", Expect::kInvalidMask}, MatchCase{"X*Y**", "XAB", Expect::kFalse},
        // Characters of the name are never wildcards.
        MatchCase{"A?C", "A*C", Expect::kTrue}, MatchCase{"A", "?", Expect::kFalse},
        MatchCase{"*", "*", Expect::kTrue}));

TEST(WildcardMatch, InvalidMaskCarriesTheProgramsText) {
  try {
    WildcardMatchUpper("AB", "A**");
    FAIL() << "no error raised";
  } catch (const InvalidMask& error) {
    EXPECT_STREQ(error.what(), "Invalid mask");
  }
}

TEST(WildcardMatch, FoldsCaseWithTheCodePagesLetters) {
  const platform::Cp1252Locale locale;
  EXPECT_TRUE(WildcardMatch("notepad.exe", "*.EXE", false, locale));
  EXPECT_TRUE(WildcardMatch("\xE9t\xE9.exe", "\xC9T\xC9.EXE", false, locale));  // été / ÉTÉ
  EXPECT_TRUE(WildcardMatch("\x9A\x9C\x9E\xFF", "\x8A\x8C\x8E\x9F", false, locale));  // šœžÿ
  EXPECT_TRUE(WildcardMatch("*\xE0", "*\xC0", false, locale));  // à after a "*"
  EXPECT_FALSE(WildcardMatch("\xF7", "\xD7", false, locale));   // ÷ is not a lower-case ×
  EXPECT_FALSE(WildcardMatch("\xDF", "SS", false, locale));     // ß keeps its one byte
  EXPECT_FALSE(WildcardMatch("\xB5", "\xCC", false, locale));   // µ has no upper-case form here
}

TEST(WildcardMatch, CaseSensitiveComparesTheBytesAsTheyAre) {
  const platform::Cp1252Locale locale;
  EXPECT_FALSE(WildcardMatch("notepad.exe", "NOTEPAD.EXE", true, locale));
  EXPECT_TRUE(WildcardMatch("notepad.exe", "note*.exe", true, locale));
  EXPECT_FALSE(WildcardMatch("\xE9", "\xC9", true, locale));
}

}  // namespace
}  // namespace nexolant

namespace nexolant {
namespace {

// The rule that the reference checks share with the matcher: a pattern has a malformed "*"
// exactly when some name makes the matcher reject it, and that name is one that reaches it.
TEST(FindMalformedStar, FindsWhatTheMatcherRejects) {
  constexpr std::size_t npos = std::string_view::npos;
  struct Case {
    const char* pattern;
    std::size_t at;
  };
  const Case cases[] = {{"A**", 1},   {"*?", 0},   {"AB*?C", 2},  {"*A**B", 2}, {"A*B", npos},
                        {"?*", npos}, {"*", npos}, {"A?*", npos}, {"", npos},   {"A*", npos}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern);
    EXPECT_EQ(FindMalformedStar(c.pattern), c.at);
    if (c.at != npos) {
      // Characters that the literal part before the "*" accepts, then some left over.
      std::string name;
      for (std::size_t k = 0; k < c.at; ++k) {
        name.push_back(c.pattern[k] == '*' || c.pattern[k] == '?' ? 'A' : c.pattern[k]);
      }
      name += "XYZ";
      EXPECT_EQ(EvaluateWildcardMatch(name, c.pattern), WildcardOutcome::kInvalidMask) << name;
    }
  }
}

}  // namespace
}  // namespace nexolant
