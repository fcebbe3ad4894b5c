#include "ini/section_list.h"

#include <gtest/gtest.h>

#include "support/ascii_locale.h"

namespace nexolant {
namespace {

class SectionListTest : public ::testing::Test {
 protected:
  void AddAll(std::initializer_list<const char*> names) {
    for (const char* name : names) {
      list_.Add(name).lines.push_back(std::string(name) + "=" + std::to_string(list_.Count()));
    }
  }
  std::string Names() const {
    std::string names;
    for (int index = 0; index < list_.Count(); ++index) {
      names += list_[index].name + "(" + list_[index].lines.front() + ") ";
    }
    return names;
  }

  AsciiLocale locale_;
  TSectionList list_{locale_};
};

TEST_F(SectionListTest, IndexOfSearchesFromTheLastFoundIndexAndWrapsAround) {
  AddAll({"A", "B", "C", "D"});
  EXPECT_EQ(list_.IndexOf("c"), 2);
  EXPECT_EQ(list_.LastFound(), 2);
  EXPECT_EQ(list_.IndexOf("A"), 0);
  EXPECT_EQ(list_.LastFound(), 0);
  EXPECT_EQ(list_.IndexOf("D"), 3);
  EXPECT_EQ(list_.IndexOf("Missing"), -1);
  EXPECT_EQ(list_.LastFound(), 3);
}

TEST_F(SectionListTest, IndexOfFindsTheFirstOfEqualNamesAfterTheLastFoundIndex) {
  list_.Add("X");
  list_.Add("Y");
  list_.Add("x");
  EXPECT_EQ(list_.IndexOf("y"), 1);
  EXPECT_EQ(list_.IndexOf("X"), 2);
}

TEST_F(SectionListTest, DeleteAndClearResetTheLastFoundIndex) {
  AddAll({"A", "B", "C"});
  list_.IndexOf("C");
  list_.Delete(0);
  EXPECT_EQ(list_.LastFound(), 0);
  EXPECT_EQ(list_.IndexOf("C"), 1);
  list_.Clear();
  EXPECT_EQ(list_.LastFound(), 0);
  EXPECT_EQ(list_.IndexOf("C"), -1);
}

TEST_F(SectionListTest, DropDuplicateSectionsKeepsTheFirstInFileOrder) {
  AddAll({"Zeta", "general", "Alpha", "GENERAL", "zeta", "Mid", "General"});
  list_.IndexOf("Mid");
  list_.DropDuplicateSections();
  EXPECT_EQ(Names(), "Zeta(Zeta=1) general(general=2) Alpha(Alpha=3) Mid(Mid=6) ");
  EXPECT_EQ(list_.LastFound(), 0);
}

TEST_F(SectionListTest, DropDuplicateSectionsLeavesDistinctAndSingleListsAlone) {
  AddAll({"B", "A"});
  list_.DropDuplicateSections();
  EXPECT_EQ(Names(), "B(B=1) A(A=2) ");
  list_.Clear();
  AddAll({"Only"});
  list_.DropDuplicateSections();
  EXPECT_EQ(Names(), "Only(Only=1) ");
}

}  // namespace
}  // namespace nexolant
