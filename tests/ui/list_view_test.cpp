#include "ui/list_view.h"

#include <gtest/gtest.h>

#include <cctype>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/form.h"
#include "ui/recording_observer.h"

namespace nexolant::ui {
namespace {

using Kind = ListChange::Kind;
using RowChange = RecordingObserver::RowChange;

class ListViewTest : public ::testing::Test {
 protected:
  ListViewTest() : list_(form_.Add<ListView>("Quarantine")) {
    list_.AddColumn("Name", 150);
    list_.AddColumn("Type", 150);
    form_.SetObserver(&observer_);
  }

  std::vector<std::string> Captions() const {
    std::vector<std::string> captions;
    for (const ListItem& item : list_.Items()) {
      captions.push_back(item.caption);
    }
    return captions;
  }

  Form form_{"form"};
  ListView& list_;
  RecordingObserver observer_;
};

using Names = std::vector<std::string>;

TEST_F(ListViewTest, UnsortedRowsKeepTheOrderOfAdding) {
  EXPECT_EQ(list_.Add("b.exe", {"Memory", "Adware"}), 0);
  EXPECT_EQ(list_.Add("a.exe"), 1);
  EXPECT_EQ(Captions(), (Names{"b.exe", "a.exe"}));
  EXPECT_EQ(list_.Item(0).subItems, (StringList{"Memory", "Adware"}));
  EXPECT_EQ(observer_.rowChanges,
            (std::vector<RowChange>{{&list_, Kind::kInserted, 0}, {&list_, Kind::kInserted, 1}}));
}

TEST_F(ListViewTest, SortedRowsGoToTheirPlaceAndEqualCaptionsKeepTheirOrder) {
  list_.SetSorted(true);
  const struct {
    const char* caption;
    const char* type;
    int expectedIndex;
  } adds[] = {{"m", "1", 0}, {"c", "2", 0}, {"x", "3", 2}, {"m", "4", 2}, {"a", "5", 0}};
  for (const auto& add : adds) {
    EXPECT_EQ(list_.Add(add.caption, {add.type}), add.expectedIndex) << add.caption;
  }
  EXPECT_EQ(Captions(), (Names{"a", "c", "m", "m", "x"}));
  EXPECT_EQ(list_.Item(2).subItems[0], "1");
  EXPECT_EQ(list_.Item(3).subItems[0], "4");
}

TEST_F(ListViewTest, TurningSortingOnSortsTheRowsOnceAndKeepsTheSelectedRow) {
  list_.Add("zeta");
  list_.Add("alpha");
  list_.Add("mu");
  list_.SetItemIndex(1);
  observer_.Clear();

  list_.SetSorted(true);
  EXPECT_EQ(Captions(), (Names{"alpha", "mu", "zeta"}));
  EXPECT_EQ(list_.ItemIndex(), 0);
  EXPECT_EQ(observer_.rowChanges, (std::vector<RowChange>{{&list_, Kind::kReordered, -1}}));

  // Already in order: nothing to report.
  observer_.Clear();
  list_.SetSorted(true);
  EXPECT_TRUE(observer_.rowChanges.empty());
}

TEST_F(ListViewTest, SortingUsesTheGivenComparison) {
  list_.SetSorted(true);
  list_.Add("b");
  list_.Add("C");
  list_.Add("a");
  EXPECT_EQ(Captions(), (Names{"C", "a", "b"}));

  list_.SetCompare([](std::string_view a, std::string_view b) {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
      const int difference = std::tolower(static_cast<unsigned char>(a[i])) -
                             std::tolower(static_cast<unsigned char>(b[i]));
      if (difference != 0) {
        return difference;
      }
    }
    return static_cast<int>(a.size()) - static_cast<int>(b.size());
  });
  EXPECT_EQ(Captions(), (Names{"a", "b", "C"}));
}

TEST_F(ListViewTest, ChangingACaptionOfASortedListMovesTheRowWithItsSelection) {
  list_.SetSorted(true);
  list_.Add("b", {"B"});
  list_.Add("d", {"D"});
  list_.Add("f", {"F"});
  list_.SetItemIndex(0);

  EXPECT_EQ(list_.SetItemCaption(0, "e"), 1);
  EXPECT_EQ(Captions(), (Names{"d", "e", "f"}));
  EXPECT_EQ(list_.Item(1).subItems, StringList{"B"});
  EXPECT_EQ(list_.ItemIndex(), 1);
}

TEST_F(ListViewTest, SubItemsAreSetInPlaceAndPaddedWhenMissing) {
  list_.Add("a.exe");
  observer_.Clear();
  list_.SetSubItem(0, 1, "Adware - Terminated");
  EXPECT_EQ(list_.Item(0).subItems, (StringList{"", "Adware - Terminated"}));
  list_.SetSubItem(0, 1, "Adware - Terminated");
  EXPECT_EQ(observer_.rowChanges, (std::vector<RowChange>{{&list_, Kind::kChanged, 0}}));
}

TEST_F(ListViewTest, TheSelectionFollowsItsRowThroughInsertionsAndDeletions) {
  list_.SetSorted(true);
  list_.Add("c");
  list_.Add("e");
  list_.SetItemIndex(1);  // "e"

  list_.Add("a");
  EXPECT_EQ(list_.ItemIndex(), 2);
  list_.Add("z");
  EXPECT_EQ(list_.ItemIndex(), 2);
  list_.Delete(0);
  EXPECT_EQ(list_.ItemIndex(), 1);
  EXPECT_EQ(list_.Item(list_.ItemIndex()).caption, "e");

  list_.Delete(1);
  EXPECT_EQ(list_.ItemIndex(), -1);
}

TEST_F(ListViewTest, ClearRemovesEveryRowAndTheSelectionInOneChange) {
  list_.Add("a");
  list_.Add("b");
  list_.SetItemIndex(0);
  observer_.Clear();

  list_.Clear();
  EXPECT_EQ(list_.Count(), 0);
  EXPECT_EQ(list_.ItemIndex(), -1);
  EXPECT_EQ(observer_.rowChanges, (std::vector<RowChange>{{&list_, Kind::kCleared, -1}}));

  observer_.Clear();
  list_.Clear();
  EXPECT_TRUE(observer_.rowChanges.empty());
}

TEST_F(ListViewTest, RowsAreFoundByCaption) {
  list_.SetSorted(true);
  list_.Add("b");
  list_.Add("a");
  EXPECT_EQ(list_.IndexOfCaption("b"), 1);
  EXPECT_EQ(list_.IndexOfCaption("B"), -1);
}

TEST_F(ListViewTest, IndexesOutsideTheRowsAreRejected) {
  list_.Add("a");
  EXPECT_THROW(list_.Delete(1), std::out_of_range);
  EXPECT_THROW(list_.Delete(-1), std::out_of_range);
  EXPECT_THROW(list_.SetSubItem(2, 0, "x"), std::out_of_range);
  EXPECT_THROW(list_.SetSubItem(0, -1, "x"), std::out_of_range);
  EXPECT_THROW(list_.Item(5), std::out_of_range);

  // A selection outside the rows selects nothing.
  list_.SetItemIndex(7);
  EXPECT_EQ(list_.ItemIndex(), -1);
}

TEST_F(ListViewTest, UpdateBracketsNestAndAreReportedAtTheOutermostLevel) {
  list_.BeginUpdate();
  list_.BeginUpdate();
  list_.EndUpdate();
  EXPECT_TRUE(list_.Updating());
  list_.EndUpdate();
  EXPECT_FALSE(list_.Updating());
  list_.EndUpdate();
  EXPECT_FALSE(list_.Updating());
  EXPECT_EQ(observer_.Count(list_, Property::kUpdating), 2);
}

TEST_F(ListViewTest, AUserSelectionIsAcceptedOnlyWhileTheListTakesInput) {
  list_.Add("a");
  EXPECT_TRUE(list_.SelectByUser(0));
  EXPECT_EQ(list_.ItemIndex(), 0);
  EXPECT_TRUE(list_.SelectByUser(-1));
  EXPECT_EQ(list_.ItemIndex(), -1);
  EXPECT_FALSE(list_.SelectByUser(1));

  list_.SetEnabled(false);
  EXPECT_FALSE(list_.SelectByUser(0));
  EXPECT_EQ(list_.ItemIndex(), -1);
}

}  // namespace
}  // namespace nexolant::ui
