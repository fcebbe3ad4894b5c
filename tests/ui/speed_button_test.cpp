#include "ui/speed_button.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/form.h"

namespace nexolant::ui {
namespace {

// Five grouped buttons as the main window's side column has them, plus an ungrouped one.
class SpeedButtonGroupTest : public ::testing::Test {
 protected:
  SpeedButtonGroupTest() {
    for (const char* name : {"StatusBtn", "ScanBtn", "ActiveBtn", "SettingsBtn", "QuarantineBtn"}) {
      SpeedButton& button = form_.Add<SpeedButton>(name);
      button.SetGroupIndex(1);
      button.OnClick = [this](Control& sender) { clicks_.push_back(sender.Name()); };
      group_.push_back(&button);
    }
    help_ = &form_.Add<SpeedButton>("HelpBtn");
    help_->OnClick = [this](Control& sender) { clicks_.push_back(sender.Name()); };
    status().SetDown(true);
  }

  SpeedButton& status() { return *group_[0]; }
  SpeedButton& scan() { return *group_[1]; }
  SpeedButton& quarantine() { return *group_[4]; }

  // The names of the buttons that are down.
  std::vector<std::string> DownButtons() const {
    std::vector<std::string> down;
    for (const auto& control : form_.Controls()) {
      if (static_cast<const SpeedButton&>(*control).Down()) {
        down.push_back(control->Name());
      }
    }
    return down;
  }

  Form form_{"MainForm"};
  std::vector<SpeedButton*> group_;
  SpeedButton* help_ = nullptr;
  std::vector<std::string> clicks_;
};

using Names = std::vector<std::string>;

TEST_F(SpeedButtonGroupTest, ClickOnAReleasedButtonPressesItAndReleasesTheOthersThenActs) {
  ASSERT_TRUE(scan().Click());
  EXPECT_EQ(DownButtons(), Names{"ScanBtn"});
  EXPECT_EQ(clicks_, Names{"ScanBtn"});
}

TEST_F(SpeedButtonGroupTest, ClickOnThePressedButtonKeepsItDownUnlessAllUpIsAllowed) {
  status().Click();
  EXPECT_EQ(DownButtons(), Names{"StatusBtn"});

  status().SetAllowAllUp(true);
  status().Click();
  EXPECT_EQ(DownButtons(), Names{});
  EXPECT_EQ(clicks_, (Names{"StatusBtn", "StatusBtn"}));
}

TEST_F(SpeedButtonGroupTest, AllowAllUpIsOneFlagForTheWholeGroup) {
  quarantine().SetAllowAllUp(true);
  for (const SpeedButton* button : group_) {
    EXPECT_TRUE(button->AllowAllUp()) << button->Name();
  }
  EXPECT_FALSE(help_->AllowAllUp());

  // Joining a group takes its flag.
  SpeedButton& late = form_.Add<SpeedButton>("Late");
  late.SetGroupIndex(1);
  EXPECT_TRUE(late.AllowAllUp());
}

TEST_F(SpeedButtonGroupTest, SettingDownInCodeFollowsTheRulesAndRunsNoAction) {
  struct Step {
    const char* what;
    int button;
    bool allowAllUp;
    bool down;
    Names expected;
  };
  const Step steps[] = {
      {"release the pressed one, all-up not allowed", 0, false, false, {"StatusBtn"}},
      {"press another", 4, false, true, {"QuarantineBtn"}},
      {"press it again", 4, false, true, {"QuarantineBtn"}},
      {"release a released one", 1, false, false, {"QuarantineBtn"}},
      {"release the pressed one, all-up allowed", 4, true, false, {}},
      {"press with all-up allowed", 2, true, true, {"ActiveBtn"}},
  };
  for (const Step& step : steps) {
    group_[step.button]->SetAllowAllUp(step.allowAllUp);
    group_[step.button]->SetDown(step.down);
    EXPECT_EQ(DownButtons(), step.expected) << step.what;
  }
  EXPECT_TRUE(clicks_.empty());
}

TEST_F(SpeedButtonGroupTest, AButtonOutsideAnyGroupIsNeverDownButStillActs) {
  help_->SetDown(true);
  EXPECT_FALSE(help_->Down());
  help_->Click();
  EXPECT_FALSE(help_->Down());
  EXPECT_EQ(DownButtons(), Names{"StatusBtn"});
  EXPECT_EQ(clicks_, Names{"HelpBtn"});
}

TEST_F(SpeedButtonGroupTest, ADisabledOrHiddenButtonTakesNoClick) {
  scan().SetEnabled(false);
  EXPECT_FALSE(scan().Click());
  quarantine().SetVisible(false);
  EXPECT_FALSE(quarantine().Click());
  EXPECT_EQ(DownButtons(), Names{"StatusBtn"});
  EXPECT_TRUE(clicks_.empty());
}

TEST_F(SpeedButtonGroupTest, GroupsAreSeparateByIndexAndByContainer) {
  SpeedButton& other = form_.Add<SpeedButton>("Other");
  other.SetGroupIndex(2);
  other.SetDown(true);
  EXPECT_EQ(DownButtons(), (Names{"StatusBtn", "Other"}));

  // A down button that joins a group releases the group's pressed one.
  other.SetGroupIndex(1);
  EXPECT_EQ(DownButtons(), Names{"Other"});

  Form second("Second");
  SpeedButton& elsewhere = second.Add<SpeedButton>("Elsewhere");
  elsewhere.SetGroupIndex(1);
  elsewhere.SetDown(true);
  EXPECT_EQ(DownButtons(), Names{"Other"});
}

}  // namespace
}  // namespace nexolant::ui
