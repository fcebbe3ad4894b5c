#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/controls.h"

namespace nexolant::ui {
namespace {

TEST(ControlInput, ACheckBoxClickTogglesThenActsWhileSettingInCodeDoesNot) {
  Form form("form");
  CheckBox& box = form.Add<CheckBox>("chkStartup");
  std::vector<bool> seen;
  box.OnClick = [&](Control& sender) { seen.push_back(static_cast<CheckBox&>(sender).Checked()); };

  box.SetChecked(true);
  EXPECT_TRUE(seen.empty());
  box.Click();
  box.Click();
  EXPECT_EQ(seen, (std::vector<bool>{false, true}));
}

TEST(ControlInput, RadioButtonsOfOneContainerKeepOneTicked) {
  Form form("form");
  Notebook& notebook = form.Add<Notebook>("Notebook");
  NotebookPage& page = notebook.AddPage("ScanNow");
  RadioButton& quick = page.Add<RadioButton>("chkQuick");
  RadioButton& complete = page.Add<RadioButton>("chkComplete");
  RadioButton& select = page.Add<RadioButton>("chkSelect");
  RadioButton& elsewhere = form.Add<RadioButton>("elsewhere");
  int clicks = 0;
  for (RadioButton* radio : {&quick, &complete, &select}) {
    radio->OnClick = [&](Control&) { ++clicks; };
  }
  elsewhere.SetChecked(true);

  quick.SetChecked(true);
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(complete.Click());
  EXPECT_TRUE(complete.Click());
  EXPECT_EQ(clicks, 1) << "a click on the ticked one runs no event";
  EXPECT_FALSE(quick.Checked());
  EXPECT_TRUE(complete.Checked());
  EXPECT_FALSE(select.Checked());
  EXPECT_TRUE(elsewhere.Checked()) << "another container is another group";

  // Unticking in code leaves the group without a ticked button.
  complete.SetChecked(false);
  EXPECT_FALSE(quick.Checked() || complete.Checked() || select.Checked());
}

TEST(ControlInput, AComboBoxRaisesOnChangeOnlyForTheUsersPick) {
  Form form("form");
  ComboBox& combo = form.Add<ComboBox>("comboSpeed");
  combo.SetItems({"Each 60 minutes", "Each 30 minutes", "Each 10 seconds"});
  std::vector<std::string> changes;
  combo.OnChange = [&](Control& sender) {
    changes.push_back(static_cast<ComboBox&>(sender).Text());
  };

  combo.SetItemIndex(2);
  EXPECT_EQ(combo.Text(), "Each 10 seconds");
  combo.SetItemIndex(9);
  EXPECT_EQ(combo.ItemIndex(), -1);
  EXPECT_EQ(combo.Text(), "");
  EXPECT_TRUE(changes.empty());

  EXPECT_TRUE(combo.SelectByUser(1));
  EXPECT_TRUE(combo.SelectByUser(1));
  EXPECT_FALSE(combo.SelectByUser(3));
  EXPECT_EQ(changes, (std::vector<std::string>{"Each 30 minutes", "Each 30 minutes"}));

  combo.SetItems({"other"});
  EXPECT_EQ(combo.ItemIndex(), -1);
}

TEST(ControlInput, AnImageButtonShowsThePictureOfItsMouseState) {
  Form form("form");
  ImageButton& button = form.Add<ImageButton>("btnInfo");
  button.SetPictures({"INFO_N", "INFO_H", "INFO_P"});
  std::vector<std::string> events;
  button.OnMouseEnter = [&](Control& sender) { events.push_back("enter " + sender.Name()); };
  button.OnMouseLeave = [&](Control& sender) { events.push_back("leave " + sender.Name()); };

  EXPECT_EQ(button.ShownPicture(), "INFO_N");
  button.MouseEnter();
  EXPECT_EQ(button.ShownPicture(), "INFO_H");
  button.MouseDown();
  EXPECT_EQ(button.ShownPicture(), "INFO_P");
  button.MouseUp();
  EXPECT_EQ(button.ShownPicture(), "INFO_H");
  button.MouseLeave();
  EXPECT_EQ(button.ShownPicture(), "INFO_N");
  EXPECT_EQ(events, (std::vector<std::string>{"enter btnInfo", "leave btnInfo"}));

  // Missing pictures fall back to the normal one.
  button.SetPictures({"ONLY", "", ""});
  button.MouseEnter();
  button.MouseDown();
  EXPECT_EQ(button.ShownPicture(), "ONLY");
}

TEST(ControlInput, LeavingAlwaysFollowsEnteringEvenWhenTheControlWasDisabledMeanwhile) {
  Form form("form");
  ImageButton& button = form.Add<ImageButton>("btnScan");
  int leaves = 0;
  button.OnMouseLeave = [&](Control&) { ++leaves; };

  button.MouseLeave();
  EXPECT_EQ(leaves, 0) << "no leave without an enter";
  button.MouseEnter();
  button.SetEnabled(false);
  button.MouseLeave();
  EXPECT_EQ(leaves, 1);
  EXPECT_FALSE(button.Hot());

  button.MouseEnter();
  EXPECT_FALSE(button.Hot()) << "a disabled control takes no mouse";
}

TEST(ControlInput, AFormSeesTypedCharactersFirstOnlyWithKeyPreview) {
  Form form("AboutForm");
  std::string typed;
  form.OnKeyPress = [&](Form&, char& key) {
    typed += key;
    if (key == 'x') {
      key = 0;
    }
  };
  EXPECT_EQ(form.KeyPress('a'), 'a');
  EXPECT_EQ(typed, "");

  form.SetKeyPreview(true);
  EXPECT_EQ(form.KeyPress('a'), 'a');
  EXPECT_EQ(form.KeyPress('x'), 0);
  EXPECT_EQ(typed, "ax");
}

TEST(ControlInput, MemoTextJoinsItsLines) {
  Form form("form");
  Memo& memo = form.Add<Memo>("DetailsMemo");
  memo.Add("Reference file NOT loaded.");
  memo.Add("");
  memo.Add("in program directory.");
  EXPECT_EQ(memo.Text(), "Reference file NOT loaded.\r\n\r\nin program directory.");
  memo.Clear();
  EXPECT_EQ(memo.Text(), "");
}

}  // namespace
}  // namespace nexolant::ui
