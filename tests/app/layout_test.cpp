#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "app/main_form.h"
#include "main_form_fixture.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/combo_box.h"
#include "ui/label.h"
#include "ui/list_view.h"
#include "ui/memo.h"
#include "ui/speed_button.h"

namespace nexolant {
namespace {

constexpr int kFrame = -1;  // on the window itself, not on a page

// Where a control lies: left and top always; width and height where the layout gives them.
struct Placed {
  const char* name;
  int page;
  int left;
  int top;
  int width = 0;
  int height = 0;
};

// Every control of the main window that its layout places, with the place it gives.
const Placed kPlaces[] = {
    {"Image", kFrame, 0, 0, 800, 394},
    {"Shape", kFrame, 176, 80, 505, 273},
    {"Notebook", kFrame, 177, 112, 503, 240},
    {"Shape2", kFrame, 176, 80, 505, 32},
    {"Image2", kFrame, 177, 81, 502, 30},
    {"lblStatus", kFrame, 182, 85, 437, 20},
    {"Shape1", kFrame, 176, 352, 505, 20},
    {"Label2", kFrame, 181, 355},
    {"lblHint", kFrame, 216, 355, 457},
    {"Label1", kFrame, 632, 374},
    {"StatusBtn", kFrame, 14, 104, 145, 32},
    {"ScanBtn", kFrame, 14, 144, 145, 32},
    {"ActiveBtn", kFrame, 14, 184, 145, 32},
    {"SettingsBtn", kFrame, 14, 224, 145, 32},
    {"QuarantineBtn", kFrame, 14, 264, 145, 32},
    {"HelpBtn", kFrame, 14, 304, 145, 32},
    {"btnScan", kFrame, 694, 77, 60, 57},
    {"btnSettings", kFrame, 695, 133, 54, 56},
    {"btnQuarantine", kFrame, 695, 192, 53, 52},
    {"btnUpdate", kFrame, 696, 243, 53, 58},
    {"btnInfo", kFrame, 694, 302, 60, 56},
    {"btnHelp", kFrame, 647, 81, 29, 29},

    {"Label4", kStatusPage, 16, 8},
    {"Shape3", kStatusPage, 16, 24, 473, 25},
    {"Image1", kStatusPage, 19, 26, 21, 21},
    {"lblRefStatus", kStatusPage, 43, 29},
    {"lblDetails", kStatusPage, 440, 30},
    {"Label6", kStatusPage, 16, 56},
    {"Shape4", kStatusPage, 16, 72, 473, 161},
    {"Label7", kStatusPage, 32, 80},
    {"lblAMStatus", kStatusPage, 200, 80},
    {"lblEnableDisable", kStatusPage, 416, 81, 66},
    {"Label8", kStatusPage, 32, 104},
    {"lblLastSystemScan", kStatusPage, 200, 104},
    {"Label11", kStatusPage, 32, 128},
    {"lblTotalScans", kStatusPage, 200, 128},
    {"Label9", kStatusPage, 32, 152},
    {"lblObjectsRemoved", kStatusPage, 200, 152},
    {"Label10", kStatusPage, 32, 176},
    {"lblObjectsQuarantined", kStatusPage, 200, 176},
    {"lblOpenQuarantine", kStatusPage, 388, 178},
    {"Shape5", kStatusPage, 16, 200, 473, 33},
    {"Image3", kStatusPage, 19, 206, 21, 21},
    {"lblFileStatus", kStatusPage, 44, 209},
    {"lblInitialized", kStatusPage, 122, 210},
    {"lblCheckUpdates", kStatusPage, 352, 210},

    {"Label21", kScanNowPage, 16, 8},
    {"Label22", kScanNowPage, 45, 30},
    {"Label23", kScanNowPage, 64, 62},
    {"chkQuick", kScanNowPage, 72, 96, 353, 17},
    {"chkComplete", kScanNowPage, 72, 120, 353, 17},
    {"chkSelect", kScanNowPage, 72, 144, 313, 17},
    {"lblSelect", kScanNowPage, 392, 144},
    {"chkRegScan", kScanNowPage, 72, 172, 345, 17},
    {"Label24", kScanNowPage, 24, 210},
    {"btnNext", kScanNowPage, 386, 204, 97, 25},

    {"lblAM", kActiveMonitoringPage, 43, 30},
    {"lblAMEnable", kActiveMonitoringPage, 424, 30, 60, 13},
    {"ProcessList", kActiveMonitoringPage, 34, 58, 437, 141},
    {"lblAMProcessing", kActiveMonitoringPage, 23, 214},
    {"btnTerminate", kActiveMonitoringPage, 397, 210, 89, 21},

    {"lblQuarantine", kQuarantinePage, 42, 30},
    {"Quarantine", kQuarantinePage, 16, 56, 473, 153},
    {"btnRestore", kQuarantinePage, 16, 212, 113, 23},
    {"btnEmpty", kQuarantinePage, 344, 212, 145, 23},

    {"Shape15", kSettingsPage, 8, 8, 487, 225},
    {"Label29", kSettingsPage, 16, 16},
    {"chkStartup", kSettingsPage, 24, 32, 425, 17},
    {"chkMinimize", kSettingsPage, 24, 48, 425, 17},
    {"chkQuarantine", kSettingsPage, 24, 64, 457, 17},
    {"chkDeepScanReg", kSettingsPage, 24, 80, 457, 17},
    {"Label30", kSettingsPage, 16, 104},
    {"chkAutoTerminate", kSettingsPage, 24, 120, 457, 17},
    {"chkAutoStartMonitor", kSettingsPage, 24, 136, 457, 17},
    {"Label31", kSettingsPage, 24, 156},
    {"comboSpeed", kSettingsPage, 280, 151, 201, 21},

    {"DetailsMemo", kDetailsPage, 8, 8, 487, 225},

    {"Label3", kScanningPage, 16, 8},
    {"lblCurrentFile", kScanningPage, 24, 29, 457, 19},
    {"Label5", kScanningPage, 16, 56},
    {"lblRP", kScanningPage, 32, 90, 49},
    {"Label12", kScanningPage, 88, 90},
    {"lblOR", kScanningPage, 32, 131},
    {"Label13", kScanningPage, 88, 131},
    {"lblNO", kScanningPage, 32, 178},
    {"Label25", kScanningPage, 88, 178},
    {"imgOK", kScanningPage, 192, 176, 17, 17},
    {"lblOS", kScanningPage, 240, 90, 65},
    {"Label26", kScanningPage, 312, 90},
    {"lblFI", kScanningPage, 240, 127},
    {"Label32", kScanningPage, 312, 127},
    {"lblPI", kScanningPage, 240, 151},
    {"Label34", kScanningPage, 312, 151},
    {"lblRI", kScanningPage, 240, 175},
    {"Label36", kScanningPage, 312, 175},
    {"btnStop", kScanningPage, 400, 213, 89, 23},

    {"Report", kReportPage, 16, 24, 473, 185},
    {"btnCancel", kReportPage, 16, 213, 97, 23},
    {"btnRepair", kReportPage, 384, 213, 105, 23},
};

// What the user acts on; bands, icons and pictures may lie under them.
bool Interactive(const ui::Control& control) {
  return dynamic_cast<const ui::Button*>(&control) ||
         dynamic_cast<const ui::ImageButton*>(&control) ||
         dynamic_cast<const ui::SpeedButton*>(&control) ||
         dynamic_cast<const ui::CheckBox*>(&control) ||
         dynamic_cast<const ui::RadioButton*>(&control) ||
         dynamic_cast<const ui::ComboBox*>(&control) ||
         dynamic_cast<const ui::ListView*>(&control) ||
         dynamic_cast<const ui::LinkLabel*>(&control) || dynamic_cast<const ui::Memo*>(&control);
}

// Whether one rectangle covers part of the other. The layout stacks 17-pixel boxes at a
// 16-pixel pitch and lets neighbours touch by a pixel or two; more would hide part of one.
bool Covers(const ui::Rect& a, const ui::Rect& b) {
  constexpr int kTouch = 2;
  const int across = std::min(a.left + a.width, b.left + b.width) - std::max(a.left, b.left);
  const int down = std::min(a.top + a.height, b.top + b.height) - std::max(a.top, b.top);
  return across > kTouch && down > kTouch;
}

class LayoutTest : public MainFormTest {
 protected:
  void SetUp() override { form_ = std::make_unique<TMainForm>(Services()); }

  ui::Notebook& Book() const { return Get<ui::Notebook>("Notebook"); }
  const ui::Container& Parent(int page) const {
    return page == kFrame ? static_cast<const ui::Container&>(*form_) : Book().Page(page);
  }
};

TEST_F(LayoutTest, EveryControlLiesWhereTheLayoutPlacesIt) {
  for (const Placed& place : kPlaces) {
    SCOPED_TRACE(place.name);
    const ui::Control* control = form_->FindControl(place.name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->Parent(), &Parent(place.page));
    EXPECT_EQ(control->Left(), place.left);
    EXPECT_EQ(control->Top(), place.top);
    if (place.width != 0) {
      EXPECT_EQ(control->Width(), place.width);
    }
    if (place.height != 0) {
      EXPECT_EQ(control->Height(), place.height);
    }
  }
}

// Each control the user acts on lies inside its page or the window, and none covers another.
TEST_F(LayoutTest, ControlsTheUserActsOnLieInsideTheirParentAndApart) {
  const ui::Rect window{0, 0, form_->ClientWidth(), form_->ClientHeight()};
  const ui::Rect page{0, 0, Book().Width(), Book().Height()};
  for (int parent = kFrame; parent < kPageCount; ++parent) {
    std::vector<const ui::Control*> interactive;
    for (const auto& control : Parent(parent).Controls()) {
      if (Interactive(*control)) {
        interactive.push_back(control.get());
      }
    }
    const ui::Rect& area = parent == kFrame ? window : page;
    for (std::size_t k = 0; k < interactive.size(); ++k) {
      const ui::Rect& bounds = interactive[k]->Bounds();
      EXPECT_TRUE(bounds.left >= 0 && bounds.top >= 0 && bounds.left + bounds.width <= area.width &&
                  bounds.top + bounds.height <= area.height)
          << interactive[k]->Name();
      for (std::size_t other = k + 1; other < interactive.size(); ++other) {
        EXPECT_FALSE(Covers(bounds, interactive[other]->Bounds()))
            << interactive[k]->Name() << " and " << interactive[other]->Name();
      }
    }
  }
}

// Tab goes through the shown page's controls as a reader does: by line, then from the left.
TEST_F(LayoutTest, TabFollowsThePagesTopToBottomAndLeftToRight) {
  application_.CreateForm(*form_);
  for (int page = 0; page < kPageCount; ++page) {
    form_->ShowPage(static_cast<MainPage>(page));
    std::vector<const ui::Control*> stops;
    for (const ui::Control* control : form_->TabOrder()) {
      if (control->Parent() == &Book().Page(page)) {
        stops.push_back(control);
      }
    }
    EXPECT_TRUE(std::is_sorted(stops.begin(), stops.end(),
                               [](const auto* a, const auto* b) {
                                 return std::tuple(a->Top(), a->Left()) <
                                        std::tuple(b->Top(), b->Left());
                               }))
        << "page " << page;
  }
}

}  // namespace
}  // namespace nexolant
