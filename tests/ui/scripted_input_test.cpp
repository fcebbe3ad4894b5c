#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "support/scripted_backend.h"
#include "ui/controls.h"

namespace nexolant::ui {
namespace {

class ScriptedInputTest : public ::testing::Test {
 protected:
  ScriptedBackend backend_;
  Application app_{backend_};
  Form form_{"MainForm"};
};

TEST_F(ScriptedInputTest, CheckBoxesAreSetByClickingOnlyWhenTheStateDiffers) {
  CheckBox& box = form_.Add<CheckBox>("chkStartup");
  int clicks = 0;
  box.OnClick = [&](Control&) { ++clicks; };

  EXPECT_TRUE(backend_.SetChecked(box, false));
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(backend_.SetChecked(box, true));
  EXPECT_TRUE(box.Checked());
  EXPECT_EQ(clicks, 1);

  box.SetEnabled(false);
  EXPECT_FALSE(backend_.SetChecked(box, false));
  EXPECT_TRUE(box.Checked());

  Button& button = form_.Add<Button>("btnNext");
  EXPECT_THROW(backend_.SetChecked(button, true), std::invalid_argument);
}

TEST_F(ScriptedInputTest, ARowClickSelectsThenClicksTheList) {
  ListView& list = form_.Add<ListView>("Quarantine");
  list.Add("a.exe");
  std::vector<int> selectionAtClick;
  list.OnClick = [&](Control&) { selectionAtClick.push_back(list.ItemIndex()); };

  EXPECT_TRUE(backend_.ClickRow(list, 0));
  EXPECT_TRUE(backend_.ClickRow(list, -1));
  EXPECT_FALSE(backend_.ClickRow(list, 1));
  EXPECT_EQ(selectionAtClick, (std::vector<int>{0, -1}));
}

TEST_F(ScriptedInputTest, APickThatFailsIsStillAcceptedAndReported) {
  ComboBox& combo = form_.Add<ComboBox>("comboSpeed");
  combo.SetItems({"Each 60 minutes", "Each 30 minutes"});
  combo.OnChange = [](Control&) { throw std::runtime_error("Bad interval"); };

  EXPECT_TRUE(backend_.Select(combo, 1));
  EXPECT_EQ(combo.ItemIndex(), 1);
  EXPECT_FALSE(backend_.Select(combo, 2));
  ASSERT_EQ(backend_.Messages().size(), 1u);
  EXPECT_EQ(backend_.Messages()[0].text, "Bad interval.");
}

TEST_F(ScriptedInputTest, TheMouseEntersAndLeavesThroughTheBackend) {
  ImageButton& info = form_.Add<ImageButton>("btnInfo");
  Label& hint = form_.Add<Label>("lblHint");
  info.SetHint("Shows program version and copyright information");
  info.OnMouseEnter = [&](Control& sender) { hint.SetCaption(sender.Hint()); };
  info.OnMouseLeave = [&](Control&) { hint.SetCaption("default"); };

  EXPECT_FALSE(backend_.MouseLeave(info));
  EXPECT_TRUE(backend_.MouseEnter(info));
  EXPECT_EQ(hint.Caption(), "Shows program version and copyright information");
  EXPECT_TRUE(backend_.MouseLeave(info));
  EXPECT_EQ(hint.Caption(), "default");
}

TEST_F(ScriptedInputTest, TypedTextReachesTheFormOneCharacterAtATime) {
  form_.SetKeyPreview(true);
  std::string typed;
  form_.OnKeyPress = [&](Form&, char& key) {
    if (key == '!') {
      throw std::runtime_error("No");
    }
    typed += key;
  };
  backend_.Type(form_, "ab!out");
  EXPECT_EQ(typed, "about");
  EXPECT_EQ(backend_.Messages().size(), 1u);
}

}  // namespace
}  // namespace nexolant::ui
