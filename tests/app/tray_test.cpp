#include <initializer_list>
#include <utility>

#include "app/main_form_fixture.h"

namespace nexolant {
namespace {

using platform::TrayMouseAction;

// Minimizing to the notification area, through the application's events and the icon's mouse
// actions as the window system delivers them.
class TrayTest : public MainFormTest {
 protected:
  TrayTest() {
    PutReference("[ScanFiles]\nA.EXE=Bad\n");
    Create();
  }
  void SetMinimizeOption(bool checked) {
    form_->UserOptions().Set(Option::kMinimizeToTray, checked);
  }
  void Mouse(std::initializer_list<TrayMouseAction> actions) {
    application_.RunHandler([&] { notificationArea_.Mouse(actions); });
  }
  void RecreateTaskbar() {
    application_.RunHandler([&] { notificationArea_.RecreateTaskbar(); });
  }
  bool InTray() const { return notificationArea_.Showing() && !backend_.TaskbarButtonVisible(); }
};

TEST_F(TrayTest, MinimizingWithTheOptionMovesTheWindowIntoTheTrayAndEitherClickBringsItBack) {
  for (const auto& [down, up] :
       {std::pair{TrayMouseAction::kLeftDown, TrayMouseAction::kLeftUp},
        std::pair{TrayMouseAction::kRightDown, TrayMouseAction::kRightUp}}) {
    const int restores = backend_.RestoreCount();
    backend_.Minimize();
    ASSERT_TRUE(InTray());
    EXPECT_EQ(notificationArea_.Tip(), "Nexolant");
    EXPECT_EQ(notificationArea_.Picture(), "#1") << "the executable's own icon";

    Mouse({TrayMouseAction::kMove, down});
    EXPECT_TRUE(InTray()) << "a press alone is no click";
    Mouse({up});
    EXPECT_FALSE(notificationArea_.Showing());
    EXPECT_TRUE(backend_.TaskbarButtonVisible());
    EXPECT_EQ(backend_.RestoreCount(), restores + 1);
    EXPECT_EQ(backend_.BringToFrontCount(), restores + 1);
  }
  EXPECT_TRUE(backend_.Messages().empty());
}

TEST_F(TrayTest, ADoubleClickRestoresOnItsFirstPressAndReleaseOnly) {
  backend_.Minimize();
  Mouse({TrayMouseAction::kLeftDown, TrayMouseAction::kLeftUp, TrayMouseAction::kLeftDoubleClick,
         TrayMouseAction::kLeftUp});
  EXPECT_EQ(backend_.RestoreCount(), 1);
  backend_.Minimize();
  Mouse({TrayMouseAction::kLeftUp, TrayMouseAction::kMiddleDown, TrayMouseAction::kMiddleUp,
         TrayMouseAction::kRightDoubleClick, TrayMouseAction::kRightUp});
  EXPECT_TRUE(InTray()) << "a release without its press, the middle button: no click";
}

TEST_F(TrayTest, WithoutTheOptionMinimizingKeepsTheTaskbarButtonAndShowsNoIcon) {
  SetMinimizeOption(false);
  backend_.Minimize();
  EXPECT_FALSE(notificationArea_.Showing());
  EXPECT_TRUE(backend_.TaskbarButtonVisible());
  backend_.RestoreFromTaskbar();
  EXPECT_EQ(notificationArea_.AddCount(), 0);
  EXPECT_TRUE(backend_.TaskbarButtonVisible());
}

TEST_F(TrayTest, TheOptionCountsAtTheMomentOfEachMinimize) {
  backend_.Minimize();
  SetMinimizeOption(false);
  EXPECT_TRUE(InTray());
  backend_.RestoreFromTaskbar();
  EXPECT_TRUE(notificationArea_.Showing()) << "restored by other means, the icon stays";
  EXPECT_TRUE(backend_.TaskbarButtonVisible());
  backend_.Minimize();
  EXPECT_FALSE(notificationArea_.Showing());
  EXPECT_TRUE(backend_.TaskbarButtonVisible());
}

TEST_F(TrayTest, WithoutANotificationAreaTheTaskbarButtonStays) {
  notificationArea_.RefuseIcons();
  backend_.Minimize();
  EXPECT_FALSE(notificationArea_.Showing());
  EXPECT_TRUE(backend_.TaskbarButtonVisible());
}

TEST_F(TrayTest, ANewTaskbarGetsTheIconBackOrTheWindowItsTaskbarButton) {
  backend_.Minimize();
  RecreateTaskbar();
  EXPECT_TRUE(InTray());
  EXPECT_EQ(notificationArea_.AddCount(), 2);

  notificationArea_.RefuseIcons();
  RecreateTaskbar();
  EXPECT_FALSE(notificationArea_.Showing());
  EXPECT_TRUE(backend_.TaskbarButtonVisible()) << "the window can still be brought back";

  notificationArea_.RefuseIcons(false);
  backend_.RestoreFromTaskbar();
  SetMinimizeOption(false);
  backend_.Minimize();
  RecreateTaskbar();
  EXPECT_FALSE(notificationArea_.Showing()) << "an inactive icon is not added";
}

TEST_F(TrayTest, TheIconLeavesTheNotificationAreaAtShutdown) {
  backend_.Minimize();
  application_.Run(*form_);
  form_.reset();
  EXPECT_FALSE(notificationArea_.Showing());
  EXPECT_EQ(notificationArea_.DeleteCount(), 1);
}

}  // namespace
}  // namespace nexolant
