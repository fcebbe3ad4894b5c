#include "ui/list_view.h"

#include <gtest/gtest.h>

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

// A model's rows in the model's order stay in that order, whatever their captions.
TEST_F(ListViewTest, AssignedRowsKeepTheGivenOrderInOneChange) {
  list_.Add("first");
  list_.SetItemIndex(0);
  observer_.Clear();

  list_.Assign({{"zeta", {"1"}}, {"alpha", {"2"}}, {"zeta", {"3"}}, {"mu", {"4"}}});
  EXPECT_EQ(Captions(), (Names{"zeta", "alpha", "zeta", "mu"}));
  EXPECT_EQ(list_.Item(2).subItems, StringList{"3"});
  EXPECT_EQ(list_.ItemIndex(), -1);
  EXPECT_EQ(observer_.rowChanges, (std::vector<RowChange>{{&list_, Kind::kReordered, -1}}));
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
  list_.Add("a");
  list_.Add("c");
  list_.Add("e");
  list_.SetItemIndex(2);  // "e"

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
  list_.Add("a");
  list_.Add("b");
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
