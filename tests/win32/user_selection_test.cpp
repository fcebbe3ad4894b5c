// Selections the user makes on the real windows reach the model through the notifications the
// controls send themselves (CBN_SELCHANGE, LVN_ITEMCHANGED, NM_CLICK); selections made in code
// run no event.
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "renderer_fixture.h"

namespace nexolant::win32 {
namespace {

class PickForm : public ui::Form {
 public:
  PickForm() : ui::Form("PickForm") {
    SetCaption("Pick");
    SetClientSize(320, 200);
    combo = &Add<ui::ComboBox>("comboDepth");
    combo->SetBounds({10, 10, 150, 21});
    combo->SetItems({"Quick scan", "Complete scan", "Custom scan"});
    combo->SetItemIndex(0);
    list = &Add<ui::ListView>("lvQuarantine");
    list->SetBounds({10, 50, 300, 140});
    list->AddColumn("Name", 150);
    list->AddColumn("Location", 120);
    for (const char* name : {"alpha.exe", "beta.dll", "gamma.sys"}) {
      list->Add(name, {"C:\\Windows"});
    }
  }

  ui::ComboBox* combo;
  ui::ListView* list;
};

class UserSelectionTest : public RendererTest {
 protected:
  UserSelectionTest() {
    Realise(form_);
    form_.combo->OnChange = [this](ui::Control&) { changes_.push_back(form_.combo->ItemIndex()); };
    form_.list->OnClick = [this](ui::Control&) { clicks_.push_back(form_.list->ItemIndex()); };
  }
  ~UserSelectionTest() override { backend_.DestroyForm(form_); }

  HWND Combo() const { return HandleOf(*form_.combo); }
  HWND List() const { return HandleOf(*form_.list); }

  int ListSelection() const {
    return static_cast<int>(
        SendMessageA(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  }

  // A press and release of the left button on a row, as the mouse delivers them. The release
  // is queued first: the list view waits for it to tell a click from a drag.
  void ClickRow(int row) {
    RECT bounds{};
    bounds.left = LVIR_LABEL;
    ASSERT_TRUE(SendMessageA(List(), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds)));
    const LPARAM at = MAKELPARAM(bounds.left + 4, (bounds.top + bounds.bottom) / 2);
    PostMessageA(List(), WM_LBUTTONUP, 0, at);
    SendMessageA(List(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    Pump();
  }

  void PressKey(HWND hwnd, WPARAM key) {
    SetFocus(hwnd);
    SendMessageA(hwnd, WM_KEYDOWN, key, 1);
    SendMessageA(hwnd, WM_KEYUP, key, 1 | (3u << 30));
    Pump();
  }

  PickForm form_;
  std::vector<int> changes_;  // the combo box's ItemIndex as each OnChange saw it
  std::vector<int> clicks_;   // the list's ItemIndex as each OnClick saw it
};

// Each test realises one form, which costs about two seconds under Wine.
TEST_F(UserSelectionTest, ADropDownListRunsOnChangeForTheUsersPicksOnly) {
  form_.combo->SetItemIndex(2);
  Pump();
  EXPECT_EQ(SendMessageA(Combo(), CB_GETCURSEL, 0, 0), 2);
  form_.combo->SetItemIndex(0);
  Pump();
  EXPECT_TRUE(changes_.empty());

  PressKey(Combo(), VK_DOWN);
  EXPECT_EQ(form_.combo->ItemIndex(), 1);
  EXPECT_EQ(changes_, std::vector<int>{1});

  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(Combo(), &info));
  SendMessageA(Combo(), CB_SHOWDROPDOWN, TRUE, 0);
  RECT item{};
  ASSERT_NE(SendMessageA(info.hwndList, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item)),
            LB_ERR);
  const LPARAM at = MAKELPARAM(item.left + 4, (item.top + item.bottom) / 2);
  SendMessageA(info.hwndList, WM_MOUSEMOVE, 0, at);
  SendMessageA(info.hwndList, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(info.hwndList, WM_LBUTTONUP, 0, at);
  Pump();
  EXPECT_EQ(form_.combo->ItemIndex(), 2);
  EXPECT_EQ(changes_, (std::vector<int>{1, 2}));
}

TEST_F(UserSelectionTest, AListFollowsTheUsersClicksAndKeysAndClicksOnlyForClicks) {
  form_.list->SetItemIndex(1);
  Pump();
  form_.list->SetItemIndex(2);
  form_.list->SetItemIndex(-1);
  form_.list->SetItemIndex(0);
  Pump();
  EXPECT_EQ(ListSelection(), 0);
  EXPECT_EQ(form_.list->ItemIndex(), 0);
  EXPECT_TRUE(clicks_.empty());

  ClickRow(1);
  EXPECT_EQ(form_.list->ItemIndex(), 1);
  EXPECT_EQ(clicks_, std::vector<int>{1});
  ClickRow(2);
  EXPECT_EQ(form_.list->ItemIndex(), 2);
  EXPECT_EQ(clicks_, (std::vector<int>{1, 2}));

  PressKey(List(), VK_UP);
  EXPECT_EQ(form_.list->ItemIndex(), 1);
  PressKey(List(), VK_HOME);
  EXPECT_EQ(form_.list->ItemIndex(), 0);
  SendMessageA(List(), WM_CHAR, 'G', 1);
  Pump();
  EXPECT_EQ(form_.list->ItemIndex(), 2) << "typing a row's first letter selects it";
  EXPECT_EQ(clicks_, (std::vector<int>{1, 2}));
}

// A list with check boxes and several selected rows: the window shows the model's ticks, and a
// click on a box, Space, Ctrl+A and the menu key reach the model's handlers, which decide.
class TickForm : public ui::Form {
 public:
  TickForm() : ui::Form("TickForm") {
    SetCaption("Ticks");
    SetClientSize(320, 200);
    list = &Add<ui::ListView>("Report");
    list->SetBounds({10, 10, 300, 180});
    list->SetCheckBoxes(true);
    list->SetMultiSelect(true);
    list->AddColumn("Filename", 150);
    for (const char* name : {"one.exe", "two.exe", "three.exe"}) {
      list->SetChecked(list->Add(name), true);
    }
    list->OnToggle = [this](ui::ListView&, const std::vector<int>& rows) {
      toggles.push_back(rows);
      for (const int row : rows) {
        list->SetChecked(row, !list->Item(row).checked);
      }
    };
    list->OnContextMenu = [this](ui::Control&) { ++menus; };
  }

  ui::ListView* list;
  std::vector<std::vector<int>> toggles;
  int menus = 0;
};

class TickTest : public RendererTest {
 protected:
  TickTest() { Realise(form_); }
  ~TickTest() override { backend_.DestroyForm(form_); }

  HWND List() const { return HandleOf(*form_.list); }
  bool ShownTicked(int row) const {
    return (SendMessageA(List(), LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) &
            LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
  }
  void Key(WPARAM key) {
    SetFocus(List());
    SendMessageA(List(), WM_KEYDOWN, key, 1);
    SendMessageA(List(), WM_KEYUP, key, 1 | (3u << 30));
    Pump();
  }

  TickForm form_;
};

TEST_F(TickTest, TheWindowShowsTheModelsTicksAndHandsTheUsersToIt) {
  form_.list->SetChecked(1, false);
  Pump();
  EXPECT_EQ((std::vector<bool>{ShownTicked(0), ShownTicked(1), ShownTicked(2)}),
            (std::vector<bool>{true, false, true}));

  // A click on the first row's box: the state image lies left of the label.
  RECT label{};
  label.left = LVIR_LABEL;
  ASSERT_TRUE(SendMessageA(List(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&label)));
  LVHITTESTINFO hit{};
  for (hit.pt = {label.left - 1, (label.top + label.bottom) / 2}; hit.pt.x > 0; --hit.pt.x) {
    SendMessageA(List(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (hit.flags & LVHT_ONITEMSTATEICON) {
      break;
    }
  }
  ASSERT_TRUE(hit.flags & LVHT_ONITEMSTATEICON) << "no check box found on the row";
  const LPARAM at = MAKELPARAM(hit.pt.x, hit.pt.y);
  PostMessageA(List(), WM_LBUTTONUP, 0, at);
  SendMessageA(List(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  Pump();
  EXPECT_EQ(form_.toggles, (std::vector<std::vector<int>>{{0}}));
  EXPECT_FALSE(ShownTicked(0));

  BYTE keys[256]{};
  ASSERT_TRUE(GetKeyboardState(keys));
  keys[VK_CONTROL] = 0x80;
  ASSERT_TRUE(SetKeyboardState(keys));
  Key('A');
  keys[VK_CONTROL] = 0;
  ASSERT_TRUE(SetKeyboardState(keys));
  EXPECT_EQ(form_.list->Selection(), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(SendMessageA(List(), LVM_GETSELECTEDCOUNT, 0, 0), 3);

  Key(VK_SPACE);
  EXPECT_EQ(form_.toggles.back(), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ((std::vector<bool>{ShownTicked(0), ShownTicked(1), ShownTicked(2)}),
            (std::vector<bool>{true, true, false}));

  SendMessageA(List(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(List()), -1);
  Pump();
  EXPECT_EQ(form_.menus, 1);
}

}  // namespace
}  // namespace nexolant::win32
