#include "reference/hash_signatures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ascii.h"
#include "platform/portable/cp1252_locale.h"

namespace nexolant {
namespace {

const std::string kDigest = "275a021bbfb6489e54d471899f7db9d1663fc695ec2fe2a2c4538aabf651fd0f";
const std::string kOther = std::string(63, '0') + "1";

struct LineCase {
  const char* title;
  std::string line;
  HashLineFault fault;
};

// Every line is added to a list that already knows "68:kDigest=Test file".
TEST(HashSignaturesTest, AddsWellFormedLinesAndNamesTheFaultOfEveryOther) {
  const std::vector<LineCase> cases = {
      {"lower-case digest", "12:" + kOther + "=Other", HashLineFault::kNone},
      {"upper-case digest", "12:" + std::string(63, 'A') + "B=Upper", HashLineFault::kNone},
      {"description with = and blanks", "9:" + kOther + "=a = b", HashLineFault::kNone},
      {"empty description", "10:" + kOther + "=", HashLineFault::kNone},
      {"largest size", "18446744073709551615:" + kOther + "=Huge", HashLineFault::kNone},
      {"same file, same description", "68:" + kDigest + "=Test file", HashLineFault::kRepeated},
      {"same file in capitals", "68:" + platform::AsciiUpperCase(kDigest) + "=Test file",
       HashLineFault::kRepeated},
      {"same file, other description", "68:" + kDigest + "=Adware", HashLineFault::kConflict},
      {"same digest, other size", "69:" + kDigest + "=Other size", HashLineFault::kNone},
      {"no size", kDigest + "=x", HashLineFault::kNoSize},
      {"empty size", ":" + kDigest + "=x", HashLineFault::kBadSize},
      {"signed size", "+68:" + kDigest + "=x", HashLineFault::kBadSize},
      {"negative size", "-68:" + kDigest + "=x", HashLineFault::kBadSize},
      {"blank in size", "68 :" + kDigest + "=x", HashLineFault::kBadSize},
      {"hexadecimal size", "0x44:" + kDigest + "=x", HashLineFault::kBadSize},
      {"size 0", "0:" + kDigest + "=x", HashLineFault::kZeroSize},
      {"size 000", "000:" + kDigest + "=x", HashLineFault::kZeroSize},
      {"size overflows", "18446744073709551616:" + kDigest + "=x", HashLineFault::kSizeOverflow},
      {"size of 40 digits", std::string(40, '9') + ":" + kDigest + "=x",
       HashLineFault::kSizeOverflow},
      {"63 digits", "68:" + kDigest.substr(1) + "=x", HashLineFault::kBadDigest},
      {"65 digits", "68:" + kDigest + "0=x", HashLineFault::kBadDigest},
      {"not hexadecimal", "68:" + kDigest.substr(1) + "g=x", HashLineFault::kBadDigest},
      {"blank after digest", "68:" + kDigest + " =x", HashLineFault::kBadDigest},
      {"second colon", "68:" + kDigest.substr(1) + ":=x", HashLineFault::kBadDigest},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.title);
    HashSignatures signatures;
    ASSERT_EQ(signatures.Add("68:" + kDigest + "=Test file").fault, HashLineFault::kNone);
    const HashSignatures::Added added = signatures.Add(c.line);
    EXPECT_EQ(added.fault, c.fault);
    EXPECT_EQ(signatures.size(), c.fault == HashLineFault::kNone ? 2u : 1u);
    if (c.fault == HashLineFault::kRepeated || c.fault == HashLineFault::kConflict) {
      EXPECT_EQ(added.index, 0u) << "points at the entry it meets";
    }
    EXPECT_EQ(HashLineFaultText(c.fault, c.line).empty(), c.fault == HashLineFault::kNone);
  }
}

// A file is found by its size first, then by its digest; the digest alone never finds it.
TEST(HashSignaturesTest, FindsAFileBySizeThenDigest) {
  const HashSignatures signatures = HashSignatures::FromLines(
      {"68:" + kDigest + "=Test file", "bad line=x", "68:" + kOther + "=Other",
       "4096:" + kDigest + "=Bigger", "68:" + kDigest + "=Conflict passed over"});
  ASSERT_EQ(signatures.size(), 3u);
  EXPECT_TRUE(signatures.KnowsSize(68));
  EXPECT_TRUE(signatures.KnowsSize(4096));
  EXPECT_FALSE(signatures.KnowsSize(67));
  EXPECT_FALSE(signatures.KnowsSize(0));
  ASSERT_NE(signatures.Find(68, kDigest), nullptr);
  EXPECT_EQ(signatures.Find(68, kDigest)->description, "Test file");
  EXPECT_EQ(signatures.Find(68, kOther)->description, "Other");
  EXPECT_EQ(signatures.Find(4096, kDigest)->description, "Bigger");
  EXPECT_EQ(signatures.Find(69, kDigest), nullptr);
  EXPECT_EQ(signatures.Find(4096, kOther), nullptr);
}

std::string Problems(const std::string& text) {
  std::string shown;
  for (const HashLineProblem& problem : HashSectionFaults(text, platform::Cp1252Locale())) {
    shown += std::to_string(problem.line) + ": " + problem.text + "\n";
  }
  return shown;
}

// The faults of the section the loader reads, each at the line an editor shows; other
// sections, lines without "=" and a repeated section are not this check's.
TEST(HashSignaturesTest, SectionFaultsNameTheirLines) {
  const std::string good = "68:" + kDigest + "=Test file";
  const std::string text = "[ScanFiles]\r\n0:" + kDigest + "=not a hash section\r\n\r\n" +
                           "[filehashes]\r\n" + good + "\r\n; a comment\r\n" + "0:" + kDigest +
                           "=zero\r\n" + good + "\r\n68:" + kDigest + "=Adware\r\n" +
                           "99999999999999999999:" + kDigest + "=huge\r\n[FileHashes]\r\n" +
                           "1:bad=in the repeated section\r\n";
  EXPECT_EQ(Problems(text), "7: hash signature \"0:" + kDigest + "\" has size 0\n" +
                                "8: hash signature \"68:" + kDigest +
                                "\" repeats an earlier one (line 5)\n" +
                                "9: hash signature \"68:" + kDigest +
                                "\" names a file an earlier one describes otherwise (line 5)\n" +
                                "10: hash signature \"99999999999999999999:" + kDigest +
                                "\" has a size too large for any file\n");
  EXPECT_EQ(Problems("[Registry]\nR=r\n"), "");
}

// Thousands of lines with bad ones among them: every good one holds, every bad one is named.
TEST(HashSignaturesTest, ThousandsOfLinesWithBadOnesAmongThem) {
  std::string text = "[FileHashes]\n";
  std::vector<std::string> lines;
  for (int k = 0; k < 5000; ++k) {
    std::string digest = std::to_string(k);
    digest.insert(0, 64 - digest.size(), 'a');
    lines.push_back(k % 100 == 7 ? "size:" + digest + "=bad"
                                 : std::to_string(k + 1) + ":" + digest + "=File");
    text += lines.back() + "\n";
  }
  EXPECT_EQ(HashSignatures::FromLines(lines).size(), 4950u);
  const std::vector<HashLineProblem> problems = HashSectionFaults(text, platform::Cp1252Locale());
  ASSERT_EQ(problems.size(), 50u);
  EXPECT_EQ(problems.front().line, 9);
  EXPECT_EQ(problems.back().line, 4909);
}

}  // namespace
}  // namespace nexolant
