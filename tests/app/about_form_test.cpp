#include "app/about_form.h"

#include <gtest/gtest.h>

#include <string>

#include "app/help.h"
#include "fakes/fake_shell.h"
#include "main_form_fixture.h"
#include "support/named_control.h"
#include "support/scripted_backend.h"
#include "ui/application.h"
#include "ui/artwork_names.h"

namespace nexolant {
namespace {

class AboutFormTest : public ::testing::Test {
 protected:
  ui::Label& Notice() { return Named<ui::Label>(about_, "Label3"); }

  ScriptedBackend backend_;
  ui::Application application_{backend_};
  FakeShell shell_;
  TAboutForm about_{shell_, artwork::kBackground};
};

TEST_F(AboutFormTest, StartsWithTheNoticeAndTheBackground) {
  EXPECT_EQ(about_.Caption(), "About");
  EXPECT_EQ(about_.ClientWidth(), 408);
  EXPECT_EQ(about_.ClientHeight(), 225);
  EXPECT_TRUE(about_.KeyPreview());
  EXPECT_EQ(Notice().Caption(), TAboutForm::NoticeText());
  EXPECT_EQ(Named<ui::Image>(about_, "BackImg").Picture(), artwork::kBackground);
  EXPECT_EQ(Named<ui::LinkLabel>(about_, "Label2").Caption(), kWebSiteAddress);
}

struct TypingCase {
  const char* typed;
  bool credits;
};

class AboutTypingTest : public AboutFormTest, public ::testing::WithParamInterface<TypingCase> {};

TEST_P(AboutTypingTest, OnlyTheWordAboutShowsTheCredits) {
  backend_.Type(about_, GetParam().typed);
  EXPECT_EQ(Notice().Caption(),
            GetParam().credits ? TAboutForm::CreditsText() : TAboutForm::NoticeText());
}

// A letter that breaks the word empties the buffer and does not begin a new attempt.
INSTANTIATE_TEST_SUITE_P(Typing, AboutTypingTest,
                         ::testing::Values(TypingCase{"about", true}, TypingCase{"abxabout", true},
                                           TypingCase{"aabout", false}, TypingCase{"ABOUT", false},
                                           TypingCase{"abou", false}, TypingCase{"xabout", true},
                                           TypingCase{"abouabout", false},
                                           TypingCase{"hello about", true},
                                           TypingCase{"aboutx", true}));

TEST_F(AboutFormTest, TypedKeysAreNotConsumed) {
  for (const char key : std::string("about")) {
    EXPECT_EQ(about_.KeyPress(key), key);
  }
}

TEST_F(AboutFormTest, TypingAfterTheCreditsChangesNothing) {
  backend_.Type(about_, "about");
  Notice().SetCaption("marker");
  backend_.Type(about_, "about");
  EXPECT_EQ(Notice().Caption(), "marker");
}

TEST_F(AboutFormTest, ANewBoxStartsWithAnEmptyBuffer) {
  backend_.Type(about_, "abo");
  TAboutForm second(shell_, artwork::kBackground);
  backend_.Type(second, "ut");
  EXPECT_EQ(Named<ui::Label>(second, "Label3").Caption(), TAboutForm::NoticeText());
  backend_.Type(second, "about");
  EXPECT_EQ(Named<ui::Label>(second, "Label3").Caption(), TAboutForm::CreditsText());
}

TEST_F(AboutFormTest, TheLinkOpensTheBareAddress) {
  ASSERT_TRUE(backend_.Click(Named<ui::LinkLabel>(about_, "Label2")));
  EXPECT_EQ(shell_.Opened(), std::vector<platform::Path>{kWebSiteAddress});
  EXPECT_EQ(std::string(kWebSiteAddress).find("://"), std::string::npos);
}

TEST_F(AboutFormTest, OkClosesTheBox) {
  backend_.QueueModal([&](ui::Form& form) { backend_.Click(Named<ui::Button>(form, "HelpBtn")); });
  EXPECT_NE(application_.ShowModal(about_), ui::ModalResult::kNone);
  ASSERT_EQ(backend_.Modals().size(), 1u);
  EXPECT_EQ(backend_.Modals()[0].caption, "About");
  EXPECT_TRUE(shell_.Opened().empty());
}

class AboutFromMainFormTest : public MainFormTest {};

TEST_F(AboutFromMainFormTest, InfoButtonShowsTheAboutBoxModally) {
  Create();
  bool sawBackground = false;
  backend_.QueueModal([&](ui::Form& form) {
    sawBackground = Named<ui::Image>(form, "BackImg").Picture() == artwork::kBackground;
    backend_.Type(form, "about");
    EXPECT_EQ(Named<ui::Label>(form, "Label3").Caption(), TAboutForm::CreditsText());
  });
  ASSERT_TRUE(backend_.Click(Control("btnInfo")));
  ASSERT_EQ(backend_.Modals().size(), 2u);
  EXPECT_EQ(backend_.Modals()[1].formName, "AboutForm");
  EXPECT_TRUE(sawBackground);

  // The next box shows the notice again.
  backend_.QueueModal([&](ui::Form& form) {
    EXPECT_EQ(Named<ui::Label>(form, "Label3").Caption(), TAboutForm::NoticeText());
  });
  ASSERT_TRUE(backend_.Click(Control("btnInfo")));
  EXPECT_EQ(PageIndex(), kStatusPage);
}

TEST_F(AboutFromMainFormTest, HelpOpensTheHelpFileAndReportsNothing) {
  Create();
  shell_.SetResult(false);
  ASSERT_TRUE(backend_.Click(Control("HelpBtn")));
  ASSERT_TRUE(backend_.Click(Control("btnHelp")));
  const std::string helpFile = std::string(kFolder) + "Nexolant.chm";
  EXPECT_EQ(shell_.Opened(), (std::vector<platform::Path>{helpFile, helpFile}));
  EXPECT_EQ(HelpFilePath(kFolder), helpFile);
  EXPECT_TRUE(backend_.Messages().empty());
}

}  // namespace
}  // namespace nexolant
