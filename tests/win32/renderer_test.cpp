#include <windows.h>

#include <commctrl.h>

#include <stdexcept>
#include <string>

#include "renderer_fixture.h"

namespace nexolant::win32 {
namespace {

// A form with one control of each kind the tests read back.
class SampleForm : public ui::Form {
 public:
  SampleForm() : ui::Form("SampleForm") {
    SetCaption("Sample");
    SetClientSize(400, 300);
    SetPosition(ui::FormPosition::kScreenCenter);
    label = &Add<ui::Label>("lblTitle");
    label->SetBounds({10, 10, 0, 0});
    label->SetCaption("Preparing system scan");
    link = &Add<ui::LinkLabel>("lblLink");
    link->SetBounds({10, 40, 0, 0});
    link->SetCaption("Details");
    check = &Add<ui::CheckBox>("chkOption");
    check->SetBounds({10, 70, 150, 17});
    check->SetCaption("Scan registry");
    combo = &Add<ui::ComboBox>("comboDepth");
    combo->SetBounds({10, 100, 150, 21});
    list = &Add<ui::ListView>("lvReport");
    list->SetBounds({170, 10, 220, 120});
    list->AddColumn("Name", 100);
    list->AddColumn("Location", 100);
    notebook = &Add<ui::Notebook>("Notebook");
    notebook->SetBounds({10, 140, 380, 150});
    auto& first = notebook->AddPage("First");
    firstButton = &first.Add<ui::Button>("btnFirst");
    firstButton->SetBounds({8, 8, 80, 23});
    firstButton->SetCaption("Next");
    auto& second = notebook->AddPage("Second");
    memo = &second.Add<ui::Memo>("memoDetails");
    memo->SetBounds({8, 8, 200, 80});
    memo->SetReadOnly(true);
  }

  ui::Label* label;
  ui::LinkLabel* link;
  ui::CheckBox* check;
  ui::ComboBox* combo;
  ui::ListView* list;
  ui::Notebook* notebook;
  ui::Button* firstButton;
  ui::Memo* memo;
};

class RendererModelTest : public RendererTest {
 protected:
  RendererModelTest() { Realise(form_); }
  ~RendererModelTest() override { backend_.DestroyForm(form_); }

  SampleForm form_;
};

TEST_F(RendererModelTest, FormHasExactClientSizeAndCaption) {
  RECT client;
  GetClientRect(FormHandle(form_), &client);
  EXPECT_EQ(client.right, 400);
  EXPECT_EQ(client.bottom, 300);
  EXPECT_EQ(WindowText(FormHandle(form_)), "Sample");
  EXPECT_TRUE(IsWindowVisible(FormHandle(form_)));
}

TEST_F(RendererModelTest, ControlsAreStandardWindowsWithTheirCaptions) {
  const struct {
    const ui::Control* control;
    const char* className;
    const char* text;
  } cases[] = {
      {form_.label, "Static", "Preparing system scan"},
      {form_.link, "Static", "Details"},
      {form_.check, "Button", "Scan registry"},
      {form_.combo, "ComboBox", ""},
      {form_.list, "SysListView32", ""},
      {form_.firstButton, "Button", "Next"},
      {form_.memo, "Edit", ""},
  };
  for (const auto& expected : cases) {
    const HWND hwnd = HandleOf(*expected.control);
    ASSERT_NE(hwnd, nullptr) << expected.control->Name();
    EXPECT_EQ(lstrcmpiA(ClassOf(hwnd).c_str(), expected.className), 0) << expected.control->Name();
    EXPECT_EQ(WindowText(hwnd), expected.text) << expected.control->Name();
  }
}

TEST_F(RendererModelTest, PropertyChangesReachTheirWindows) {
  const HWND label = HandleOf(*form_.label);
  form_.label->SetCaption("Quarantine");
  EXPECT_EQ(WindowText(label), "Quarantine");

  form_.check->SetChecked(true);
  EXPECT_EQ(SendMessageA(HandleOf(*form_.check), BM_GETCHECK, 0, 0), BST_CHECKED);

  form_.firstButton->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(HandleOf(*form_.firstButton)));

  form_.link->SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(HandleOf(*form_.link)));

  form_.label->SetBounds({30, 50, 0, 0});
  RECT rect;
  GetWindowRect(label, &rect);
  MapWindowPoints(nullptr, FormHandle(form_), reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(rect.left, 30);
  EXPECT_EQ(rect.top, 50);

  form_.SetCaption("Renamed");
  EXPECT_EQ(WindowText(FormHandle(form_)), "Renamed");
}

TEST_F(RendererModelTest, AutoSizedLabelFitsItsText) {
  form_.label->SetFont({"Verdana", 12, false, false, ui::Color::WindowText()});
  form_.label->SetCaption("Last system scan");
  const HWND label = HandleOf(*form_.label);
  const HDC dc = GetDC(label);
  const HGDIOBJ previous =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0)));
  SIZE text;
  const std::string caption = form_.label->Caption();
  GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
  SelectObject(dc, previous);
  ReleaseDC(label, dc);
  RECT client;
  GetClientRect(label, &client);
  EXPECT_GE(client.right, text.cx);
  EXPECT_GE(client.bottom, text.cy);
}

TEST_F(RendererModelTest, ComboBoxHoldsTheModelsItemsAndSelection) {
  form_.combo->SetItems({"Quick scan", "Complete scan"});
  form_.combo->SetItemIndex(1);
  const HWND combo = HandleOf(*form_.combo);
  ASSERT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 2);
  char item[64] = "";
  SendMessageA(combo, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(item));
  EXPECT_STREQ(item, "Complete scan");
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(WindowText(combo), "Complete scan");
}

TEST_F(RendererModelTest, ListViewFollowsTheModelsRows) {
  const HWND list = HandleOf(*form_.list);
  form_.list->Add("alpha.dll", {"C:\\Windows"});
  form_.list->Add("zeta.exe", {"Memory"});
  form_.list->SetItemIndex(form_.list->IndexOfCaption("zeta.exe"));
  ASSERT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 2);
  auto text = [list](int row, int column) {
    char buffer[128] = "";
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return std::string(buffer);
  };
  EXPECT_EQ(text(0, 0), "alpha.dll");
  EXPECT_EQ(text(0, 1), "C:\\Windows");
  EXPECT_EQ(text(1, 0), "zeta.exe");
  EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);

  form_.list->Delete(0);
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 1);
  form_.list->Clear();
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 0);
}

// The window holds no rows: a rebuild of the model that ends as it began draws nothing, and a
// changed row draws that row alone.
TEST_F(RendererModelTest, ListViewDrawsOnlyTheRowsThatChanged) {
  const HWND list = HandleOf(*form_.list);
  const auto rebuild = [this](const std::string& changed) {
    form_.list->BeginUpdate();
    form_.list->Clear();
    for (int row = 10; row < 30; ++row) {
      const std::string name = "row" + std::to_string(row);
      form_.list->Add(name, {name == changed ? "Changed" : "No"});
    }
    form_.list->EndUpdate();
  };
  const auto invalid = [list] {
    RECT update{};
    GetUpdateRect(list, &update, FALSE);
    return update;
  };
  rebuild("");
  UpdateWindow(list);
  rebuild("");
  const RECT none = invalid();
  EXPECT_TRUE(IsRectEmpty(&none));

  rebuild("row12");
  RECT row{};
  row.left = LVIR_BOUNDS;
  ASSERT_TRUE(SendMessageA(list, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row)));
  const RECT update = invalid();
  EXPECT_EQ(update.top, row.top);
  EXPECT_EQ(update.bottom, row.bottom);
  UpdateWindow(list);

  // While the model is rebuilt, a repaint shows what the window showed before.
  form_.list->BeginUpdate();
  form_.list->Clear();
  form_.list->Add("other");
  char text[64] = "";
  LVITEMA item{};
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(text, "row10");
  form_.list->EndUpdate();
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 1);
  SendMessageA(list, LVM_GETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(text, "other");
}

// A list refreshed with new widths, as the monitor's list is: the columns take the widths
// and the rows' second column is still drawn.
TEST_F(RendererModelTest, ListViewWidthChangesKeepTheSubItemsDrawn) {
  const HWND list = HandleOf(*form_.list);
  form_.list->Add("explorer.exe", {"MMMMMMMM"});
  form_.list->SetColumnWidth(1, 90);
  form_.list->SetColumnWidth(0, 110);
  EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0), form_.list->Columns()[0].width);
  EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 1, 0), form_.list->Columns()[1].width);

  RECT cell{};
  cell.top = 1;
  cell.left = LVIR_LABEL;
  ASSERT_TRUE(SendMessageA(list, LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&cell)));
  const Pixels pixels = Printed(list);
  const COLORREF background = pixels.At(cell.right - 1, cell.bottom - 1);
  int inked = 0;
  for (int y = cell.top; y < cell.bottom; ++y) {
    for (int x = cell.left; x < cell.right; ++x) {
      inked += pixels.At(x, y) != background ? 1 : 0;
    }
  }
  EXPECT_GT(inked, 0) << "the second column of the row is blank";
}

TEST_F(RendererModelTest, NotebookShowsOnlyTheActivePage) {
  EXPECT_TRUE(IsWindowVisible(HandleOf(*form_.firstButton)));
  EXPECT_FALSE(IsWindowVisible(HandleOf(*form_.memo)));
  form_.notebook->SetPageIndex(1);
  EXPECT_FALSE(IsWindowVisible(HandleOf(*form_.firstButton)));
  EXPECT_TRUE(IsWindowVisible(HandleOf(*form_.memo)));
  form_.memo->SetLines({"Signatures: 150", "Version: 2"});
  EXPECT_EQ(WindowText(HandleOf(*form_.memo)), "Signatures: 150\r\nVersion: 2");
}

TEST_F(RendererModelTest, UserInputReachesTheModel) {
  int clicks = 0;
  form_.firstButton->OnClick = [&clicks](ui::Control&) { ++clicks; };
  SendMessageA(HandleOf(*form_.firstButton), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);

  SendMessageA(HandleOf(*form_.check), BM_CLICK, 0, 0);
  EXPECT_TRUE(form_.check->Checked());
  EXPECT_EQ(SendMessageA(HandleOf(*form_.check), BM_GETCHECK, 0, 0), BST_CHECKED);

  int linkClicks = 0;
  form_.link->OnClick = [&linkClicks](ui::Control&) { ++linkClicks; };
  const HWND link = HandleOf(*form_.link);
  SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(linkClicks, 1);

  form_.firstButton->SetEnabled(false);
  SendMessageA(HandleOf(*form_.firstButton), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
}

// The text and caption of the message box that a thread timer found and closed.
struct ClosedBox {
  std::string caption;
  std::string text;
};
ClosedBox closedBox;

BOOL CALLBACK CloseMessageBox(HWND hwnd, LPARAM /*unused*/) {
  char className[32] = "";
  GetClassNameA(hwnd, className, sizeof className);
  if (std::string(className) != "#32770") {
    return TRUE;
  }
  char caption[128] = "";
  GetWindowTextA(hwnd, caption, sizeof caption);
  char text[256] = "";
  GetDlgItemTextA(hwnd, 0xFFFF, text, sizeof text);
  closedBox = {caption, text};
  PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
  return FALSE;
}

void CALLBACK CloseMessageBoxTimer(HWND /*hwnd*/, UINT /*message*/, UINT_PTR id, DWORD /*time*/) {
  EnumThreadWindows(GetCurrentThreadId(), &CloseMessageBox, 0);
  if (!closedBox.caption.empty()) {
    KillTimer(nullptr, id);
  }
}

TEST_F(RendererModelTest, FailureInAHandlerGoesToTheErrorReport) {
  form_.firstButton->OnClick = [](ui::Control&) { throw std::runtime_error("Access denied"); };
  closedBox = {};
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, &CloseMessageBoxTimer);
  SendMessageA(HandleOf(*form_.firstButton), BM_CLICK, 0, 0);
  KillTimer(nullptr, timer);
  EXPECT_EQ(closedBox.caption, "Nexolant");
  EXPECT_EQ(closedBox.text, "Access denied.");
  EXPECT_TRUE(IsWindow(FormHandle(form_)));
}

TEST_F(RendererModelTest, CloseRequestGoesToTheModel) {
  bool closing = false;
  form_.OnClose = [&closing](ui::Form&) { closing = true; };
  SendMessageA(FormHandle(form_), WM_CLOSE, 0, 0);
  EXPECT_TRUE(closing);
  EXPECT_TRUE(form_.Closed());
  EXPECT_FALSE(IsWindowVisible(FormHandle(form_)));
}

TEST_F(RendererModelTest, OnlyASessionThatReallyEndsReachesTheApplication) {
  int ended = 0;
  application_.OnEndSession = [&ended] { ++ended; };
  EXPECT_TRUE(SendMessageA(FormHandle(form_), WM_QUERYENDSESSION, 0, 0));
  SendMessageA(FormHandle(form_), WM_ENDSESSION, FALSE, 0);
  EXPECT_EQ(ended, 0) << "the end of the session was cancelled";
  SendMessageA(FormHandle(form_), WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(ended, 1);
  EXPECT_FALSE(form_.Closed());
  application_.OnEndSession = nullptr;
}

TEST_F(RendererTest, TimerTicksInsideProcessMessages) {
  ui::Timer timer(application_);
  int ticks = 0;
  timer.OnTimer = [&ticks](ui::Timer&) { ++ticks; };
  timer.SetInterval(10);
  timer.SetEnabled(false);
  timer.SetEnabled(true);
  const DWORD start = GetTickCount();
  while (ticks == 0 && GetTickCount() - start < 30000) {
    backend_.ProcessMessages();
    Sleep(1);
  }
  EXPECT_GT(ticks, 0);
  timer.SetEnabled(false);
}

TEST_F(RendererTest, ShowModalEndsWhenATimerSetsTheResult) {
  ui::Form dialog("Dialog");
  dialog.SetClientSize(200, 100);
  ui::Timer timer(application_);
  timer.OnTimer = [&dialog](ui::Timer&) { dialog.Close(); };
  timer.SetInterval(50);
  timer.SetEnabled(false);
  timer.SetEnabled(true);
  EXPECT_EQ(application_.ShowModal(dialog), ui::ModalResult::kCancel);
  EXPECT_EQ(backend_.WindowOf(dialog), nullptr);
}

TEST(ProcessMessagesTest, ReturnsAtOnceWithinThePumpInterval) {
  Win32Backend backend(std::chrono::hours(1));
  ui::Application application(backend);
  backend.ProcessMessages();  // the first call dispatches
  PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
  backend.ProcessMessages();
  MSG message;
  EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_NULL, WM_NULL, PM_REMOVE));
}

}  // namespace
}  // namespace nexolant::win32
