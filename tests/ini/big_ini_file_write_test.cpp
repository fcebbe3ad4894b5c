#include <stdexcept>

#include "ini/ini_fixture.h"

namespace nexolant {
namespace {

using IniWriteTest = IniTest;

const std::string kWarning =
    "Morvane is unable to write to the NEXOLANT.INI file. \rPlease check to see whether this "
    "file is available. In order for \rMorvane to work properly, this file's attributes must "
    "\rbe set to Archive and it must not be used by any other programs.";

TEST_F(IniWriteTest, WritesTheFileOnceAtDestructionInItsFormat) {
  auto ini = Open();
  ini->WriteString("General", "TotalScans", "3");
  ini->WriteInteger("General", "ObjectsRemoved", -12);
  ini->WriteBool("Flags", "On", true);
  ini->WriteBool("Flags", "Off", false);
  EXPECT_TRUE(ini->Changed());
  EXPECT_FALSE(files_.FileExists(kPath));
  ini.reset();
  EXPECT_EQ(
      files_.Contents(kPath),
      "[General]\r\nTotalScans=3\r\nObjectsRemoved=-12\r\n\r\n[Flags]\r\nOn=1\r\nOff=0\r\n\r\n");
  EXPECT_EQ(files_.WriteCount(), 1);
  EXPECT_TRUE(warnings_.Shown().empty());
}

TEST_F(IniWriteTest, RewriteDropsCommentsStrayLinesEmptySectionsAndDuplicates) {
  const std::string original =
      "; header comment\r\nstray=1\r\n[General]\r\n; note\r\nA=1\r\n[Empty]\r\n"
      "[general]\r\nB=2\r\n";
  auto ini = OpenWith(original);
  ini->Flush();
  EXPECT_EQ(files_.Contents(kPath), original);
  ini->WriteString("General", "C", "3");
  ini.reset();
  EXPECT_EQ(files_.Contents(kPath), "[General]\r\nA=1\r\nC=3\r\n\r\n");
}

TEST_F(IniWriteTest, FileIsUntouchedWhenNothingChanged) {
  const std::string original = "[General]\nTotalScans=3\nName=x\n";
  {
    auto ini = OpenWith(original);
    ini->ReadString("General", "TotalScans", "");
    ini->WriteString("General", "TotalScans", "3");
    ini->WriteInteger("general", "TotalScans", 3);
    ini->WriteString("General", "Name", "x");
    ini->EraseSection("Missing");
    ini->DeleteKey("General", "Missing");
    EXPECT_FALSE(ini->Changed());
  }
  EXPECT_EQ(files_.Contents(kPath), original);
  EXPECT_EQ(files_.WriteCount(), 0);
}

TEST_F(IniWriteTest, WriteStringReplacesTheFirstMatchingLineAsWritten) {
  auto ini = OpenWith("[S]\nKey=1\nkey=2\n");
  ini->WriteString("s", "KEY", "1");
  EXPECT_TRUE(ini->Changed());
  EXPECT_EQ(Image(*ini), "[S]|KEY=1|key=2||");
  ini->WriteString("S", "key", "9");
  EXPECT_EQ(Image(*ini), "[S]|key=9|key=2||");
}

TEST_F(IniWriteTest, WriteStringCutsTheLineTo255) {
  auto ini = Open();
  const std::string value(300, 'v');
  ini->WriteString("S", "key", value);
  EXPECT_EQ(ini->ReadString("S", "key", ""), value.substr(0, 251));
  ini->WriteString("S", "other", "a b");
  EXPECT_EQ(Image(*ini), "[S]|key=" + value.substr(0, 251) + "|other=a b||");
}

TEST_F(IniWriteTest, EmptyKeyErasesTheSectionOrFlushes) {
  auto ini = OpenWith("[A]\nk=1\n[B]\nj=2\n[]\nr=3\n");
  ini->WriteString("A", "", "ignored");
  EXPECT_EQ(Image(*ini), "[B]|j=2||[]|r=3||");
  ini->WriteString("", "", "value");
  EXPECT_EQ(Image(*ini), "[B]|j=2||");
  EXPECT_EQ(files_.WriteCount(), 0);
  ini->WriteString("", "", "");
  EXPECT_FALSE(ini->Changed());
  EXPECT_EQ(files_.Contents(kPath), "[B]\r\nj=2\r\n\r\n");
}

TEST_F(IniWriteTest, DeleteKeyRemovesOnlyTheFirstMatchingLine) {
  auto ini = OpenWith("[Files]\na.exe=1\nA.EXE=2\n");
  ini->DeleteKey("files", "a.Exe");
  EXPECT_TRUE(ini->Changed());
  EXPECT_EQ(Image(*ini), "[Files]|A.EXE=2||");
}

TEST_F(IniWriteTest, DeleteKeyCreatesAMissingSectionThatNeverReachesTheFile) {
  auto ini = OpenWith("[A]\nk=1\n");
  ini->DeleteKey("New", "k");
  EXPECT_TRUE(ini->SectionExists("New"));
  EXPECT_FALSE(ini->Changed());
  ini->WriteString("A", "j", "2");
  ini.reset();
  EXPECT_EQ(files_.Contents(kPath), "[A]\r\nk=1\r\nj=2\r\n\r\n");
}

TEST_F(IniWriteTest, EraseSectionRemovesItWithItsLines) {
  auto ini = OpenWith("[A]\nk=1\n[B]\nj=2\n");
  ini->EraseSection("a");
  EXPECT_TRUE(ini->Changed());
  EXPECT_FALSE(ini->SectionExists("A"));
  EXPECT_EQ(ini->ReadString("A", "k", "gone"), "gone");
  ini.reset();
  EXPECT_EQ(files_.Contents(kPath), "[B]\r\nj=2\r\n\r\n");
}

TEST_F(IniWriteTest, CopyToStringsAppendsWithoutClearing) {
  auto ini = OpenWith("[A]\nk=1\n[Empty]\n[B]\nj=2\n");
  StringList lines{"kept"};
  ini->CopyToStrings(lines);
  EXPECT_EQ(lines, (StringList{"kept", "[A]", "k=1", "", "[B]", "j=2", ""}));
}

TEST_F(IniWriteTest, FlushWithoutFileNameOnlyClearsTheFlag) {
  auto ini = Open("");
  ini->WriteString("A", "k", "v");
  ini->Flush();
  EXPECT_FALSE(ini->Changed());
  EXPECT_EQ(ini->ReadString("A", "k", ""), "v");
  EXPECT_EQ(files_.WriteCount(), 0);
}

TEST_F(IniWriteTest, ReadOnlyFileAtDestructionShowsTheWarningOnceAndStaysAsItWas) {
  const std::string original = "[General]\r\nTotalScans=1\r\n";
  files_.AddFile(kPath, original);
  files_.SetReadOnly(kPath);
  auto ini = Open();
  ini->WriteInteger("General", "TotalScans", 2);
  EXPECT_NO_THROW(ini.reset());
  ASSERT_EQ(warnings_.Shown().size(), 1u);
  EXPECT_EQ(warnings_.Shown()[0].text, kWarning);
  EXPECT_EQ(warnings_.Shown()[0].caption, "Warning");
  EXPECT_EQ(files_.Contents(kPath), original);
}

TEST_F(IniWriteTest, FailedFlushKeepsTheChangeForTheNextFlush) {
  files_.AddFile(kPath, "[General]\r\nTotalScans=1\r\n");
  files_.SetReadOnly(kPath);
  auto ini = Open();
  ini->WriteInteger("General", "TotalScans", 2);
  ini->Flush();
  EXPECT_TRUE(ini->Changed());
  EXPECT_EQ(warnings_.Shown().size(), 1u);
  files_.SetReadOnly(kPath, false);
  ini->Flush();
  EXPECT_FALSE(ini->Changed());
  EXPECT_EQ(files_.Contents(kPath), "[General]\r\nTotalScans=2\r\n\r\n");
  ini.reset();
  EXPECT_EQ(warnings_.Shown().size(), 1u);
}

TEST_F(IniWriteTest, AWriteFailingAtAnyByteLeavesTheOldFileExactlyAsItWas) {
  const std::string original = "[Files]\r\nold.exe=C:\\Old\r\n\r\n";
  const std::string updated = "[Files]\r\nold.exe=C:\\Old\r\nnew.exe=C:\\New\r\n\r\n";
  for (std::size_t budget = 0; budget < updated.size(); ++budget) {
    SCOPED_TRACE(budget);
    files_.AllowWrites();
    files_.AddFile(kPath, original);
    const std::size_t warningsBefore = warnings_.Shown().size();
    auto ini = Open();
    ini->WriteString("Files", "new.exe", "C:\\New");
    files_.FailWritesAfter(budget);
    ini->Flush();
    EXPECT_EQ(files_.Contents(kPath), original);
    EXPECT_EQ(files_.Names("C:\\Program"), (std::vector<std::string>{"Nexolant.ini"}));
    EXPECT_TRUE(ini->Changed());
    ASSERT_EQ(warnings_.Shown().size(), warningsBefore + 1);
    EXPECT_EQ(warnings_.Shown().back().text, kWarning);
    files_.AllowWrites();
    ini.reset();
    EXPECT_EQ(files_.Contents(kPath), updated);
  }
}

TEST_F(IniWriteTest, WarningNamesTheFileWithoutItsFolderUpperCased) {
  files_.AddFolder("D:\\Data\\quarantine.ini");
  auto ini = Open("D:\\Data\\quarantine.ini");
  ini->WriteString("Files", "a", "b");
  ini.reset();
  ASSERT_EQ(warnings_.Shown().size(), 1u);
  EXPECT_EQ(warnings_.Shown()[0].text,
            "Morvane is unable to write to the QUARANTINE.INI" + kWarning.substr(46));
}

TEST_F(IniWriteTest, DestructorSwallowsAFailureOfANestedHandler) {
  auto ini = Open();
  ini->WriteString("A", "k", "v");
  pump_.RunAtPump(pump_.Count() + 1, [] { throw std::runtime_error("handler"); });
  EXPECT_NO_THROW(ini.reset());
}

TEST_F(IniWriteTest, SetFileNameFlushesAndLoadsTheOtherFile) {
  files_.AddFile("C:\\Program\\Other.ini", "[O]\nk=other\n");
  auto ini = Open();
  ini->WriteString("A", "k", "v");
  ini->SetFileName("C:\\Program\\Other.ini");
  EXPECT_EQ(files_.Contents(kPath), "[A]\r\nk=v\r\n\r\n");
  EXPECT_FALSE(ini->Changed());
  EXPECT_EQ(ini->ReadString("A", "k", "d"), "d");
  EXPECT_EQ(ini->ReadString("O", "k", "d"), "other");
}

// A file the user marked hidden, system or read-only is not replaced by a plain one: the
// flush shows its warning and the file keeps its content.
TEST_F(IniWriteTest, AMarkedFileGetsTheWarningInsteadOfBeingReplaced) {
  std::size_t warned = 0;
  for (const std::uint32_t marks :
       {std::uint32_t{platform::kAttributeHidden}, std::uint32_t{platform::kAttributeSystem},
        std::uint32_t{platform::kAttributeReadOnly}}) {
    files_.AddFile(kPath, "[General]\r\nTotalScans=1\r\n");
    files_.SetAttributes(kPath, marks);
    Open()->WriteString("General", "TotalScans", "2");
    EXPECT_EQ(files_.ReadWholeFile(kPath), "[General]\r\nTotalScans=1\r\n") << marks;
    ASSERT_EQ(warnings_.Shown().size(), ++warned) << marks;
    EXPECT_EQ(warnings_.Shown().back().text, kWarning);
    files_.SetAttributes(kPath, platform::kAttributeArchive);
    ASSERT_TRUE(files_.RemoveFile(kPath));
  }
}

// Storable answers exactly whether an entry reads back after the file is rewritten: every
// refused case really is lost or changed by a rewrite, every accepted one survives it.
TEST_F(IniWriteTest, StorableTellsWhichEntriesSurviveARewrite) {
  struct Case {
    std::string section;
    std::string key;
    std::string value;
    bool storable;
  };
  const Case cases[] = {
      {"Files", "adware.exe", "C:\\Program Files\\Ads", true},
      {"Files", "[adware.exe", "C:\\Ads]", false},  // the line reads back as a header
      {"Files", "[adware.exe", "C:\\Ads", true},
      {"Files", "a=b.exe", "C:\\Ads", false},  // the key would end at the first "="
      {"Files", "a.exe", "line\r\nbreak", false},
      {"Files", "a.exe", "end\x1Amark", false},
      {"Fi\nles", "a.exe", "C:\\", false},
      {"Files", "a.exe", std::string(249, 'v'), true},  // 255 characters in all
      {"Files", "a.exe", std::string(250, 'v'), false},
      {std::string(253, 's'), "a.exe", "x", true},
      {std::string(254, 's'), "a.exe", "x", false},
      {"Files", "", "x", false},
  };
  for (const Case& entry : cases) {
    SCOPED_TRACE(entry.key + "=" + entry.value);
    EXPECT_EQ(TBigIniFile::Storable(entry.section, entry.key, entry.value), entry.storable);
    if (entry.key.empty()) {
      continue;
    }
    if (files_.FileExists(kPath)) {
      ASSERT_TRUE(files_.RemoveFile(kPath));
    }
    Open()->WriteString(entry.section, entry.key, entry.value);
    EXPECT_EQ(Open()->ReadString(entry.section, entry.key, "\x01") == entry.value, entry.storable);
  }
}

}  // namespace
}  // namespace nexolant
