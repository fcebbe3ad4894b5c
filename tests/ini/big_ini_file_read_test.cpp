#include "ini/ini_fixture.h"
#include "platform/errors.h"

namespace nexolant {
namespace {

using IniReadTest = IniTest;

struct ParseCase {
  const char* name;
  std::string file;
  std::string image;  // CopyToStrings joined with "|"
};

class IniParseTest : public IniTest, public ::testing::WithParamInterface<ParseCase> {};

TEST_P(IniParseTest, ReadsTheImage) {
  const auto ini = OpenWith(GetParam().file);
  EXPECT_EQ(Image(*ini), GetParam().image);
  EXPECT_FALSE(ini->Changed());
}

const std::string kLong300 = "k=" + std::string(298, 'v');

INSTANTIATE_TEST_SUITE_P(
    FileFormat, IniParseTest,
    ::testing::Values(
        ParseCase{"LfAndCrLf", "[A]\nk=1\r\nj=2\n", "[A]|k=1|j=2||"},
        ParseCase{"LastLineWithoutEnd", "[A]\r\nk=1", "[A]|k=1||"},
        ParseCase{"LoneCrDropped", "[A]\r\r\nk=1\r2\r\nj=\r\r", "[A]|k=12|j=||"},
        ParseCase{"CtrlZEndsReading", "[A]\nk=1\x1A\nj=2\n", "[A]|k=1||"},
        ParseCase{"CtrlZInsideALine", "[A]\nk=12\x1Ax=3\n[B]\nj=2\n", "[A]|k=12||"},
        ParseCase{"EmptyLinesAndCommentsSkipped", "\n[A]\n\n; note\nk=v\n\r\n", "[A]|k=v||"},
        ParseCase{"CommentWithEqualsIsAKeyLine", "[A]\n; a=b\n", "[A]|; a=b||"},
        ParseCase{"KeyLinesBeforeFirstHeaderDropped", "k=v\nj=w\n[A]\nx=y\n", "[A]|x=y||"},
        ParseCase{"HeaderNameUntrimmed", "[ A ]\nk=v\n", "[ A ]|k=v||"},
        ParseCase{"BlankAroundBracketsIsNoHeader", "[A]\nk=1\n [B]\nj=2\n[C] \nx=3\n",
                  "[A]|k=1|j=2|x=3||"},
        ParseCase{"HeaderMayHoldEquals", "[a=b]\nk=v\n", "[a=b]|k=v||"},
        ParseCase{"EmptyHeaderName", "[]\nk=v\n", "[]|k=v||"},
        ParseCase{"SectionsWithoutLinesOmitted", "[A]\n[B]\nk=v\n[C]\n", "[B]|k=v||"},
        ParseCase{"LineCutAt255RestSkipped", "[A]\n" + kLong300 + "\nj=2\n",
                  "[A]|" + kLong300.substr(0, 255) + "|j=2||"},
        ParseCase{"LongHeaderIsCutAndNoHeader", "[A]\nk=1\n[" + std::string(298, 'x') + "]\nj=2\n",
                  "[A]|k=1|j=2||"},
        ParseCase{"DuplicateSectionsKeepFirst",
                  "[General]\na=1\n[Other]\nx=1\n[general]\nb=2\n[GENERAL]\nc=3\n",
                  "[General]|a=1||[Other]|x=1||"},
        ParseCase{"EmptyFile", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(IniReadTest, SectionsInFileOrderIncludingEmptyOnes) {
  const auto ini = OpenWith("[B]\n[A]\nk=v\n[b]\nj=w\n");
  StringList sections{"stale"};
  ini->ReadSections(sections);
  EXPECT_EQ(sections, (StringList{"B", "A"}));
}

TEST_F(IniReadTest, BlanksAroundEqualsBelongToKeyAndValue) {
  const auto ini = OpenWith("[A]\nkey = value\n");
  EXPECT_EQ(ini->ReadString("A", "key", "none"), "none");
  EXPECT_EQ(ini->ReadString("A", "key ", "none"), " value");
}

TEST_F(IniReadTest, ReadStringMatchesNamesCaseInsensitivelyAndTakesTheFirstKey) {
  const auto ini = OpenWith("[General]\nTotal=1\ntotal=2\nEmpty=\nSplit=a=b\n=root\n");
  EXPECT_EQ(ini->ReadString("GENERAL", "TOTAL", "d"), "1");
  EXPECT_EQ(ini->ReadString("general", "Empty", "d"), "");
  EXPECT_EQ(ini->ReadString("General", "Split", "d"), "a=b");
  EXPECT_EQ(ini->ReadString("General", "", "d"), "root");
  EXPECT_EQ(ini->ReadString("General", "Missing", "d"), "d");
  EXPECT_EQ(ini->ReadString("Missing", "Total", "d"), "d");
}

TEST_F(IniReadTest, MissingFileOrFolderGivesAnEmptyImageAndIsNeverWritten) {
  files_.AddFolder("C:\\Program\\Folder.ini");
  for (const char* path : {"C:\\Program\\Absent.ini", "C:\\Program\\Folder.ini"}) {
    auto ini = Open(path);
    EXPECT_EQ(ini->ReadString("A", "k", "d"), "d");
    EXPECT_EQ(Image(*ini), "");
    ini.reset();
    EXPECT_FALSE(files_.FileExists(path));
  }
  EXPECT_EQ(files_.WriteCount(), 0);
}

TEST_F(IniReadTest, UnreadableFileFailsTheCreation) {
  files_.AddFile(kPath, "[A]\nk=v\n");
  files_.SetUnreadable(kPath);
  EXPECT_THROW(Open(), platform::IoError);
}

TEST_F(IniReadTest, FileNameIsCutTo255Characters) {
  const std::string longName = "C:\\" + std::string(300, 'n');
  const auto ini = Open(longName);
  EXPECT_EQ(ini->FileName(), longName.substr(0, 255));
}

TEST_F(IniReadTest, ReadSectionListsKeysInOrderWithDuplicates) {
  const auto ini = OpenWith("[Files]\na.exe=C:\\x\nb.exe=C:\\y\nA.EXE=C:\\z\n k =v\n");
  StringList keys{"stale"};
  ini->ReadSection("files", keys);
  EXPECT_EQ(keys, (StringList{"a.exe", "b.exe", "A.EXE", " k "}));
  ini->ReadSection("Missing", keys);
  EXPECT_TRUE(keys.empty());
}

TEST_F(IniReadTest, ReadSectionValuesListsWholeLines) {
  const auto ini = OpenWith("[Registry]\nKey1=Desc 1\nKey2=\n");
  StringList lines{"stale"};
  ini->ReadSectionValues("REGISTRY", lines);
  EXPECT_EQ(lines, (StringList{"Key1=Desc 1", "Key2="}));
  ini->ReadSectionValues("Missing", lines);
  EXPECT_TRUE(lines.empty());
  EXPECT_TRUE(ini->SectionExists("registry"));
  EXPECT_FALSE(ini->SectionExists("Missing"));
}

struct IntegerCase {
  const char* stored;
  std::int32_t expected;  // kDefault when the default is expected
};
constexpr std::int32_t kDefault = -777;

class IniReadIntegerTest : public IniTest, public ::testing::WithParamInterface<IntegerCase> {};

TEST_P(IniReadIntegerTest, Converts) {
  const auto ini = OpenWith(std::string("[S]\nn=") + GetParam().stored + "\n");
  EXPECT_EQ(ini->ReadInteger("S", "n", kDefault), GetParam().expected) << GetParam().stored;
}

INSTANTIATE_TEST_SUITE_P(
    Values, IniReadIntegerTest,
    ::testing::Values(
        IntegerCase{"42", 42}, IntegerCase{"-42", -42}, IntegerCase{"+42", 42},
        IntegerCase{"  42", 42}, IntegerCase{"  -7", -7}, IntegerCase{"0x1A", 26},
        IntegerCase{"0X1a", 26}, IntegerCase{"$1A", 26}, IntegerCase{"x1a", 26},
        IntegerCase{"X1A", 26}, IntegerCase{"-$10", -16}, IntegerCase{"2147483647", 2147483647},
        IntegerCase{"-2147483648", -2147483647 - 1}, IntegerCase{"$7FFFFFFF", 2147483647},
        IntegerCase{"2147483648", kDefault}, IntegerCase{"-2147483649", kDefault},
        IntegerCase{"$80000000", kDefault}, IntegerCase{"99999999999999999999", kDefault},
        IntegerCase{"", kDefault}, IntegerCase{"12abc", kDefault}, IntegerCase{"12 ", kDefault},
        IntegerCase{"1 2", kDefault}, IntegerCase{"\t5", kDefault}, IntegerCase{" 0x1A", kDefault},
        IntegerCase{"0x", kDefault}, IntegerCase{"$", kDefault}, IntegerCase{"-", kDefault},
        IntegerCase{"$1G", kDefault}, IntegerCase{"1.5", kDefault}));

TEST_F(IniReadTest, ReadIntegerOfAbsentKeyIsTheDefault) {
  const auto ini = OpenWith("[S]\nn=1\n");
  EXPECT_EQ(ini->ReadInteger("S", "m", 5), 5);
  EXPECT_EQ(ini->ReadInteger("T", "n", -5), -5);
}

TEST_F(IniReadTest, ReadBoolIsTrueForAnyNonZeroNumber) {
  const auto ini = OpenWith("[S]\nzero=0\none=1\ntwo=2\nhex=0x0\ntext=yes\n");
  EXPECT_FALSE(ini->ReadBool("S", "zero", true));
  EXPECT_TRUE(ini->ReadBool("S", "one", false));
  EXPECT_TRUE(ini->ReadBool("S", "two", false));
  EXPECT_FALSE(ini->ReadBool("S", "hex", true));
  EXPECT_TRUE(ini->ReadBool("S", "text", true));
  EXPECT_FALSE(ini->ReadBool("S", "text", false));
  EXPECT_TRUE(ini->ReadBool("S", "absent", true));
}

// Its speed is measured by bench/ini_bench.
TEST_F(IniReadTest, ReadsEveryKeyOfAHundredThousandLines) {
  std::string text;
  for (int section = 0; section < 1000; ++section) {
    text += "[Section" + std::to_string(section) + "]\r\n";
    for (int line = 0; line < 100; ++line) {
      text += "Key" + std::to_string(line) + "=Value " + std::to_string(section) + "\r\n";
    }
  }
  const auto ini = OpenWith(text);
  StringList keys;
  for (int section = 0; section < 1000; ++section) {
    ini->ReadSection("Section" + std::to_string(section), keys);
    ASSERT_EQ(keys.size(), 100u);
  }
  EXPECT_EQ(ini->ReadString("Section999", "Key99", ""), "Value 999");
}

}  // namespace
}  // namespace nexolant
