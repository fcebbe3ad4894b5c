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

}  // namespace
}  // namespace nexolant::win32
