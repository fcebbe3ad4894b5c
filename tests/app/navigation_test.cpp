#include <array>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "main_form_fixture.h"

namespace nexolant {
namespace {

const std::array<const char*, 5> kGroup{"StatusBtn", "ScanBtn", "ActiveBtn", "SettingsBtn",
                                        "QuarantineBtn"};
const std::array<const char*, 10> kLocked{
    "StatusBtn",     "ScanBtn",   "ActiveBtn",   "btnScan",       "btnSettings",
    "btnQuarantine", "btnUpdate", "SettingsBtn", "QuarantineBtn", "btnInfo"};
const std::array<const char*, 6> kImageButtons{"btnScan",   "btnSettings", "btnQuarantine",
                                               "btnUpdate", "btnInfo",     "btnHelp"};

class NavigationTest : public MainFormTest {
 protected:
  void SetUp() override { Create(); }

  // The side buttons shown pressed, in group order.
  std::vector<std::string> Pressed() const {
    std::vector<std::string> pressed;
    for (const char* name : kGroup) {
      if (Side(name).Down()) {
        pressed.push_back(name);
      }
    }
    return pressed;
  }

  void ExpectAt(int page, const char* title, std::vector<std::string> pressed) const {
    EXPECT_EQ(PageIndex(), page);
    EXPECT_EQ(Title(), title);
    EXPECT_EQ(Pressed(), pressed);
  }

  bool ClickOn(const char* name) { return backend_.Click(Control(name)); }
};

TEST_F(NavigationTest, StartsOnTheStatusPageWithStatusPressed) {
  ExpectAt(kStatusPage, "Nexolant Status", {"StatusBtn"});
  EXPECT_FALSE(Side("StatusBtn").AllowAllUp());
  EXPECT_FALSE(Side("HelpBtn").Down());
}

struct NavigationCase {
  std::vector<const char*> clicks;
  int page;
  const char* title;
  std::vector<std::string> pressed;
  bool allowAllUp;
};

class NavigationActionTest : public NavigationTest,
                             public ::testing::WithParamInterface<NavigationCase> {};

TEST_P(NavigationActionTest, ShowsThePageTitleAndPressedButton) {
  const NavigationCase& navigation = GetParam();
  for (const char* name : navigation.clicks) {
    ASSERT_TRUE(ClickOn(name)) << name;
  }
  ExpectAt(navigation.page, navigation.title, navigation.pressed);
  EXPECT_EQ(Side("StatusBtn").AllowAllUp(), navigation.allowAllUp);
}

INSTANTIATE_TEST_SUITE_P(
    Actions, NavigationActionTest,
    ::testing::Values(
        NavigationCase{{"StatusBtn"}, kStatusPage, "Nexolant Status", {"StatusBtn"}, false},
        NavigationCase{{"ScanBtn"}, kScanNowPage, "Preparing system scan", {"ScanBtn"}, false},
        NavigationCase{
            {"ActiveBtn"}, kActiveMonitoringPage, "Active monitoring", {"ActiveBtn"}, false},
        NavigationCase{
            {"btnScan"}, kActiveMonitoringPage, "Active monitoring", {"ActiveBtn"}, false},
        NavigationCase{{"QuarantineBtn"}, kQuarantinePage, "Quarantine", {"QuarantineBtn"}, true},
        NavigationCase{{"btnQuarantine"}, kQuarantinePage, "Quarantine", {"QuarantineBtn"}, true},
        NavigationCase{
            {"lblOpenQuarantine"}, kQuarantinePage, "Quarantine", {"QuarantineBtn"}, true},
        NavigationCase{{"QuarantineBtn", "QuarantineBtn"},
                       kQuarantinePage,
                       "Quarantine",
                       {"QuarantineBtn"},
                       true},
        NavigationCase{{"SettingsBtn"}, kSettingsPage, "Settings", {"SettingsBtn"}, true},
        NavigationCase{{"btnSettings"}, kSettingsPage, "Settings", {"SettingsBtn"}, true},
        NavigationCase{
            {"SettingsBtn", "SettingsBtn"}, kSettingsPage, "Settings", {"SettingsBtn"}, true},
        NavigationCase{{"lblDetails"}, kDetailsPage, "Reference file details", {}, true},
        NavigationCase{
            {"lblDetails", "StatusBtn"}, kStatusPage, "Nexolant Status", {"StatusBtn"}, false},
        NavigationCase{{"QuarantineBtn", "ScanBtn"},
                       kScanNowPage,
                       "Preparing system scan",
                       {"ScanBtn"},
                       false},
        NavigationCase{{"SettingsBtn", "btnScan"},
                       kActiveMonitoringPage,
                       "Active monitoring",
                       {"ActiveBtn"},
                       false},
        NavigationCase{
            {"ScanBtn", "ScanBtn"}, kScanNowPage, "Preparing system scan", {"ScanBtn"}, false}));

TEST_F(NavigationTest, ClickingThePressedStatusButtonKeepsItPressed) {
  ASSERT_TRUE(ClickOn("StatusBtn"));
  ASSERT_TRUE(ClickOn("StatusBtn"));
  ExpectAt(kStatusPage, "Nexolant Status", {"StatusBtn"});
}

TEST_F(NavigationTest, HelpChangesNoPage) {
  ASSERT_TRUE(ClickOn("ScanBtn"));
  ASSERT_TRUE(ClickOn("HelpBtn"));
  ASSERT_TRUE(ClickOn("btnHelp"));
  ExpectAt(kScanNowPage, "Preparing system scan", {"ScanBtn"});
  EXPECT_FALSE(Side("HelpBtn").Down());
}

TEST_F(NavigationTest, LockDisablesTheNavigationButHelp) {
  form_->LockNavigation();
  for (const char* name : kLocked) {
    EXPECT_FALSE(Control(name).Enabled()) << name;
    EXPECT_FALSE(ClickOn(name)) << name;
  }
  EXPECT_TRUE(Control("HelpBtn").Enabled());
  EXPECT_TRUE(Control("btnHelp").Enabled());
  EXPECT_TRUE(ClickOn("HelpBtn"));
  EXPECT_TRUE(ClickOn("btnHelp"));
  EXPECT_EQ(shell_.Opened().size(), 2u);
  ExpectAt(kStatusPage, "Nexolant Status", {"StatusBtn"});

  form_->UnlockNavigation();
  for (const char* name : kLocked) {
    EXPECT_TRUE(Control(name).Enabled()) << name;
  }
}

TEST_F(NavigationTest, LockLeavesThePagesOwnControlsAlone) {
  form_->LockNavigation();
  EXPECT_TRUE(Control("lblDetails").Enabled());
  EXPECT_TRUE(Control("btnNext").Enabled());
  EXPECT_FALSE(Control("btnTerminate").Enabled());
}

TEST_F(NavigationTest, BackToStatusUnlocksAndPressesStatus) {
  ASSERT_TRUE(ClickOn("QuarantineBtn"));
  form_->LockNavigation();
  form_->ShowPage(kReportPage);
  Control("btnStop").SetCaption("Report");

  form_->BackToStatus();

  ExpectAt(kStatusPage, "Nexolant Status", {"StatusBtn"});
  EXPECT_FALSE(Side("StatusBtn").AllowAllUp());
  EXPECT_EQ(Control("btnStop").Caption(), "Stop");
  for (const char* name : kLocked) {
    EXPECT_TRUE(Control(name).Enabled()) << name;
  }
}

TEST_F(NavigationTest, ShowPageSetsEachTitle) {
  const std::array<const char*, kPageCount> titles{
      "Nexolant Status", "Preparing system scan",  "Active monitoring", "Quarantine",
      "Settings",        "Reference file details", "Scanning...",       "Report"};
  for (int page = kPageCount - 1; page >= 0; --page) {
    form_->ShowPage(static_cast<MainPage>(page));
    EXPECT_EQ(PageIndex(), page);
    EXPECT_EQ(Title(), titles[page]);
  }
}

TEST_F(NavigationTest, ImageButtonsShowTheirHintInTheHintLine) {
  const std::array<const char*, 6> hints{"Open active monitoring",
                                         "Allows you to configure program settings",
                                         "View objects in quarantine",
                                         "Starts the automatic update procedure",
                                         "Shows program version and copyright information",
                                         "Show program help manual"};
  for (std::size_t i = 0; i < kImageButtons.size(); ++i) {
    ASSERT_TRUE(backend_.MouseEnter(Control(kImageButtons[i])));
    EXPECT_EQ(Label("lblHint").Caption(), hints[i]);
    ASSERT_TRUE(backend_.MouseLeave(Control(kImageButtons[i])));
    EXPECT_EQ(Label("lblHint").Caption(), kDefaultHint);
  }
}

TEST_F(NavigationTest, LeavingRestoresTheDefaultWhateverWasShown) {
  ASSERT_TRUE(backend_.MouseEnter(Control("btnInfo")));
  ASSERT_TRUE(backend_.MouseEnter(Control("btnHelp")));
  ASSERT_TRUE(backend_.MouseLeave(Control("btnInfo")));
  EXPECT_EQ(Label("lblHint").Caption(), kDefaultHint);
}

TEST_F(NavigationTest, SideButtonsAndLinksLeaveTheHintLineAlone) {
  for (const char* name :
       {"StatusBtn", "ScanBtn", "ActiveBtn", "SettingsBtn", "QuarantineBtn", "HelpBtn",
        "lblDetails", "lblEnableDisable", "lblOpenQuarantine", "lblCheckUpdates"}) {
    ASSERT_TRUE(backend_.MouseEnter(Control(name))) << name;
    EXPECT_EQ(Label("lblHint").Caption(), kDefaultHint) << name << " is under the mouse";
    backend_.MouseLeave(Control(name));
    EXPECT_EQ(Label("lblHint").Caption(), kDefaultHint) << name;
  }
}

}  // namespace
}  // namespace nexolant
