#include "ui/notebook.h"

#include <gtest/gtest.h>

#include "ui/button.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/recording_observer.h"

namespace nexolant::ui {
namespace {

class NotebookTest : public ::testing::Test {
 protected:
  NotebookTest() : notebook_(form_.Add<Notebook>("Notebook")) {
    for (const char* caption : {"Status", "ScanNow", "ActiveMonitoring"}) {
      notebook_.AddPage(caption);
    }
    details_ = &notebook_.Page(0).Add<LinkLabel>("lblDetails");
    next_ = &notebook_.Page(1).Add<Button>("btnNext");
    form_.SetObserver(&observer_);
  }

  Form form_{"MainForm"};
  Notebook& notebook_;
  LinkLabel* details_;
  Button* next_;
  RecordingObserver observer_;
};

TEST_F(NotebookTest, TheFirstPageIsSelectedAndOnlyTheSelectedPageShows) {
  EXPECT_EQ(notebook_.PageIndex(), 0);
  EXPECT_EQ(notebook_.ActivePage(), &notebook_.Page(0));
  EXPECT_TRUE(details_->Showing());
  EXPECT_FALSE(next_->Showing());

  notebook_.SetPageIndex(1);
  EXPECT_FALSE(details_->Showing());
  EXPECT_TRUE(next_->Showing());
  EXPECT_EQ(observer_.Count(notebook_, Property::kPageIndex), 1);
}

TEST_F(NotebookTest, AnIndexOutsideThePagesIsIgnored) {
  notebook_.SetPageIndex(2);
  notebook_.SetPageIndex(3);
  notebook_.SetPageIndex(-1);
  EXPECT_EQ(notebook_.PageIndex(), 2);
  EXPECT_EQ(observer_.Count(notebook_, Property::kPageIndex), 1);
}

TEST_F(NotebookTest, ControlsOnHiddenPagesOrInAHiddenNotebookTakeNoInput) {
  int clicks = 0;
  details_->OnClick = [&](Control&) { ++clicks; };
  next_->OnClick = [&](Control&) { ++clicks; };

  EXPECT_FALSE(next_->Click());
  EXPECT_TRUE(details_->Click());
  notebook_.SetVisible(false);
  EXPECT_FALSE(details_->Click());
  EXPECT_EQ(clicks, 1);
}

TEST_F(NotebookTest, PagesAndTheirControlsAreFoundByName) {
  EXPECT_EQ(notebook_.FindPage("ScanNow"), &notebook_.Page(1));
  EXPECT_EQ(notebook_.FindPage("Report"), nullptr);
  EXPECT_EQ(notebook_.Page(2).Index(), 2);
  EXPECT_EQ(&notebook_.Page(1).OwnerForm(), &form_);

  EXPECT_EQ(form_.FindControl("btnNext"), next_);
  EXPECT_EQ(form_.Find<Button>("btnNext"), next_);
  EXPECT_EQ(form_.Find<Label>("btnNext"), nullptr);
  EXPECT_EQ(form_.FindControl("Notebook"), &notebook_);
  EXPECT_EQ(form_.FindControl("missing"), nullptr);
}

}  // namespace
}  // namespace nexolant::ui
