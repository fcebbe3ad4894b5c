#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <cstddef>
#include <vector>

#include "renderer_fixture.h"
#include "ui/graphics.h"
#include "ui/label.h"
#include "ui/list_view.h"
#include "ui/notebook.h"

namespace nexolant::win32 {
namespace {

// A wide red label, a small blue one, and a list on a notebook page that is not shown.
class DrawingForm : public ui::Form {
 public:
  DrawingForm() : ui::Form("DrawingForm") {
    SetCaption("Drawing");
    SetClientSize(400, 260);
    wide = &Add<ui::Label>("lblWide");
    wide->SetAutoSize(false);
    wide->SetBounds({10, 10, 380, 40});
    wide->SetColor(ui::colors::kRed);
    wide->SetCaption("wide");
    small = &Add<ui::Label>("lblSmall");
    small->SetAutoSize(false);
    small->SetBounds({10, 60, 60, 16});
    small->SetColor(ui::colors::kBlue);
    small->SetCaption("small");
    notebook = &Add<ui::Notebook>("Notebook");
    notebook->SetBounds({10, 90, 380, 160});
    notebook->AddPage("Scanning");
    list = &notebook->AddPage("Report").Add<ui::ListView>("Report");
    list->SetBounds({0, 0, 370, 150});
    list->AddColumn("Name", 150);
  }
  ui::Label* wide;
  ui::Label* small;
  ui::Notebook* notebook;
  ui::ListView* list;
};

class DeferredDrawingTest : public RendererTest {
 protected:
  DeferredDrawingTest() { Realise(form_); }
  ~DeferredDrawingTest() override { backend_.DestroyForm(form_); }

  // The row count the list view itself holds, asked past the renderer, which would first
  // hand it what waits.
  int HeldRowCount() const {
    const HWND list = HandleOf(*form_.list);
    WNDCLASSA listClass{};
    GetClassInfoA(nullptr, WC_LISTVIEWA, &listClass);
    return static_cast<int>(CallWindowProcA(listClass.lpfnWndProc, list, LVM_GETITEMCOUNT, 0, 0));
  }

  DrawingForm form_;
};

// Owner-drawn controls share one off-screen surface: it grows for a wider control, and a
// smaller control painted after a wider one shows its own background alone.
TEST_F(DeferredDrawingTest, EachLabelPaintsItsWholeAreaAndNothingElse) {
  Printed(HandleOf(*form_.small));
  const std::vector<COLORREF> wide = Printed(HandleOf(*form_.wide)).colors;
  const std::vector<COLORREF> small = Printed(HandleOf(*form_.small)).colors;
  ASSERT_FALSE(small.empty());
  // Mostly background: the text covers little of it.
  EXPECT_GT(std::count(wide.begin(), wide.end(), RGB(255, 0, 0)) * 10,
            static_cast<std::ptrdiff_t>(wide.size()) * 9);
  EXPECT_EQ(std::count(small.begin(), small.end(), RGB(255, 0, 0)), 0);
  EXPECT_GT(std::count(small.begin(), small.end(), RGB(0, 0, 255)), 0);
}

// Rows a handler adds to a list out of sight wait until it is shown, but any question to the
// list, as another process asks it, answers with every row.
TEST_F(DeferredDrawingTest, AHiddenListsRowsWaitUntilItIsShownOrAsked) {
  const HWND list = HandleOf(*form_.list);
  int heldWhileHidden = -1;
  int askedWhileHidden = -1;
  int heldWhenShown = -1;
  application_.RunHandler([&] {
    form_.list->Add("first.dll");
    form_.list->Add("second.dll");
    backend_.ProcessMessages();
    heldWhileHidden = HeldRowCount();
    askedWhileHidden = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    form_.list->Add("third.dll");
    backend_.ProcessMessages();
    form_.notebook->SetPageIndex(1);
    backend_.ProcessMessages();
    heldWhenShown = HeldRowCount();
  });
  EXPECT_EQ(heldWhileHidden, 0);
  EXPECT_EQ(askedWhileHidden, 2);
  EXPECT_EQ(heldWhenShown, 3);
}

}  // namespace
}  // namespace nexolant::win32
