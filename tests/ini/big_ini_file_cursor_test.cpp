#include "ini/ini_fixture.h"

namespace nexolant {
namespace {

// Pump counts and the section cursor. Image() pumps too, so these tests avoid it.
class IniCursorTest : public IniTest {
 protected:
  void SetUp() override { ini_ = OpenWith("[A]\na=1\n[B]\nb=2\n[C]\nc=3\n[D]\nd=4\n"); }

  // Pumps made by one call.
  template <typename Call>
  int PumpsOf(Call call) {
    const int before = pump_.Count();
    call();
    return pump_.Count() - before;
  }

  std::unique_ptr<TBigIniFile> ini_;
};

TEST_F(IniCursorTest, SectionSearchStartsAtTheCursorAndWrapsAround) {
  struct Step {
    const char* section;
    int pumps;
    int cursorAfter;
  };
  const Step steps[] = {
      {"A", 0, 0},
      {"c", 2, 2},
      {"C", 0, 2},
      {"D", 1, 3},
      {"B", 2, 1},
      // Absent: every section is compared once; the cursor stops before its start.
      {"X", 3, 0},
      {"Y", 3, 3},
      {"a", 1, 0},
  };
  EXPECT_EQ(ini_->SectionCursor(), 0);
  for (const Step& step : steps) {
    EXPECT_EQ(PumpsOf([&] { ini_->ReadString(step.section, "k", ""); }), step.pumps)
        << step.section;
    EXPECT_EQ(ini_->SectionCursor(), step.cursorAfter) << step.section;
  }
}

TEST_F(IniCursorTest, CreatedSectionBecomesTheCursor) {
  ini_->ReadString("C", "c", "");
  EXPECT_EQ(PumpsOf([&] { ini_->WriteString("New", "k", "v"); }), 3);
  EXPECT_EQ(ini_->SectionCursor(), 4);
  EXPECT_EQ(PumpsOf([&] { ini_->ReadString("new", "k", ""); }), 0);
}

TEST_F(IniCursorTest, SingleSectionAndEmptyImageSearchWithoutPumping) {
  auto single = Open("C:\\Program\\Single.ini");
  EXPECT_EQ(PumpsOf([&] { single->ReadString("A", "k", ""); }), 0);
  single->WriteString("A", "k", "v");
  EXPECT_EQ(PumpsOf([&] { single->ReadString("B", "k", ""); }), 0);
  EXPECT_EQ(single->SectionCursor(), 0);
}

TEST_F(IniCursorTest, EraseSectionResetsACursorPastTheEnd) {
  ini_->ReadString("D", "d", "");
  ini_->EraseSection("A");
  EXPECT_EQ(ini_->SectionCursor(), 0);
  EXPECT_EQ(ini_->ReadString("C", "c", ""), "3");
  EXPECT_EQ(ini_->SectionCursor(), 1);
  ini_->EraseSection("D");
  EXPECT_EQ(ini_->SectionCursor(), 1) << "still inside the list";
  ini_->EraseSection("B");
  EXPECT_EQ(ini_->SectionCursor(), 0);
  EXPECT_EQ(ini_->ReadString("C", "c", ""), "3");
}

TEST_F(IniCursorTest, LoadStartsTheCursorAtZero) {
  ini_->ReadString("D", "d", "");
  files_.AddFile("C:\\Program\\Other.ini", "[P]\np=1\n[Q]\nq=2\n");
  ini_->SetFileName("C:\\Program\\Other.ini");
  EXPECT_EQ(ini_->SectionCursor(), 0);
  EXPECT_EQ(PumpsOf([&] { ini_->ReadString("Q", "q", ""); }), 1);
}

TEST_F(IniCursorTest, ReadSectionPumpsAfterEachKey) {
  ini_->WriteString("B", "b2", "x");
  EXPECT_EQ(PumpsOf([&] {
              StringList keys;
              ini_->ReadSection("B", keys);
            }),
            2);
  EXPECT_EQ(PumpsOf([&] {
              StringList keys;
              ini_->ReadSection("Missing", keys);
            }),
            0);
}

TEST_F(IniCursorTest, FlushPumpsBeforeEachSectionAndEachLine) {
  ini_->WriteString("B", "b2", "x");
  ini_->DeleteKey("Empty", "k");
  // A, B (2 lines), C, D and the empty section: 5 sections, 5 lines.
  EXPECT_EQ(PumpsOf([&] { ini_->Flush(); }), 10);
  EXPECT_EQ(PumpsOf([&] { ini_->Flush(); }), 0);
}

TEST_F(IniCursorTest, CopyToStringsPumpsBeforeEachSection) {
  ini_->DeleteKey("Empty", "k");
  EXPECT_EQ(PumpsOf([&] {
              StringList lines;
              ini_->CopyToStrings(lines);
            }),
            5);
}

TEST_F(IniCursorTest, SectionsChangedByANestedHandlerDuringASearch) {
  pump_.RunAtPump(pump_.Count() + 1, [&] { ini_->EraseSection("A"); });
  EXPECT_EQ(ini_->ReadString("D", "d", ""), "4");
  pump_.RunAtPump(pump_.Count() + 1, [&] {
    ini_->EraseSection("B");
    ini_->EraseSection("C");
  });
  EXPECT_EQ(ini_->ReadString("C", "c", "gone"), "gone");
}

TEST_F(IniCursorTest, SectionsErasedByANestedHandlerDuringAFlush) {
  ini_->WriteString("A", "a2", "x");
  // The fifth pump, before the line b=2, erases C and D.
  pump_.RunAtPump(pump_.Count() + 5, [&] {
    ini_->EraseSection("C");
    ini_->EraseSection("D");
  });
  ini_->Flush();
  EXPECT_EQ(files_.Contents(kPath), "[A]\r\na=1\r\na2=x\r\n\r\n[B]\r\nb=2\r\n\r\n");
}

}  // namespace
}  // namespace nexolant
