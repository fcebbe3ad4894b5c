#include <string>
#include <vector>

#include "app/main_form.h"
#include "main_form_fixture.h"
#include "ui/artwork_names.h"

namespace nexolant {
namespace {

class MainFormLayoutTest : public MainFormTest {
 protected:
  void SetUp() override { form_ = std::make_unique<TMainForm>(Services()); }

  ui::Notebook& Book() const { return Get<ui::Notebook>("Notebook"); }
};

TEST_F(MainFormLayoutTest, Frame) {
  EXPECT_EQ(form_->Caption(), "Nexolant");
  EXPECT_EQ(form_->ClientWidth(), 762);
  EXPECT_EQ(form_->ClientHeight(), 394);
  EXPECT_EQ(form_->BorderStyle(), ui::BorderStyle::kSingle);
  EXPECT_FALSE(form_->BorderIcons().maximize);
  EXPECT_TRUE(form_->BorderIcons().minimize);
  EXPECT_TRUE(form_->BorderIcons().systemMenu);
  EXPECT_EQ(form_->Position(), ui::FormPosition::kScreenCenter);
  EXPECT_EQ(form_->Color(), ui::Color::ButtonFace());
  EXPECT_EQ(form_->Font().face, "Verdana");
  EXPECT_EQ(form_->Font().height, 11);

  // The background picture lies under everything else.
  ASSERT_FALSE(form_->Controls().empty());
  EXPECT_EQ(form_->Controls().front()->Name(), "Image");
  EXPECT_EQ(Get<ui::Image>("Image").Picture(), artwork::kBackground);
  EXPECT_EQ(Label("lblStatus").Font().height, 17);
  EXPECT_TRUE(Label("lblStatus").Font().bold);
  EXPECT_EQ(Label("lblHint").Caption(), kDefaultHint);
  EXPECT_FALSE(Label("lblHint").AutoSize());
  EXPECT_EQ(Label("Label1").Caption(), "Build 2.0");
  EXPECT_EQ(Label("Label1").Font().color, ui::colors::kAqua);
}

TEST_F(MainFormLayoutTest, EightPagesStatusSelected) {
  const std::vector<std::string> captions{"Status",   "ScanNow", "ActiveMonitoring", "Quarantine",
                                          "Settings", "Details", "Scanning",         "Report"};
  ASSERT_EQ(Book().PageCount(), kPageCount);
  for (int page = 0; page < kPageCount; ++page) {
    EXPECT_EQ(Book().Page(page).Caption(), captions[page]);
  }
  EXPECT_EQ(Book().PageIndex(), kStatusPage);
  EXPECT_EQ(Title(), "Nexolant Status");
}

TEST_F(MainFormLayoutTest, SideButtons) {
  struct Expected {
    const char* name;
    const char* caption;
    int group;
  };
  const Expected buttons[] = {{"StatusBtn", "Status", 1},
                              {"ScanBtn", "Scan Now", 1},
                              {"ActiveBtn", "Active Monitoring", 1},
                              {"SettingsBtn", "Settings", 1},
                              {"QuarantineBtn", "Quarantine", 1},
                              {"HelpBtn", "Help", 0}};
  for (const Expected& expected : buttons) {
    const ui::SpeedButton& button = Side(expected.name);
    EXPECT_EQ(button.Caption(), expected.caption);
    EXPECT_EQ(button.GroupIndex(), expected.group) << expected.name;
    EXPECT_TRUE(button.ShowHint()) << expected.name;
    EXPECT_FALSE(button.Hint().empty()) << expected.name;
    EXPECT_FALSE(button.Glyph().empty()) << expected.name;
  }
  EXPECT_EQ(Side("StatusBtn").Tag(), kStatusPage);
  EXPECT_EQ(Side("ScanBtn").Tag(), kScanNowPage);
  EXPECT_EQ(Side("ActiveBtn").Tag(), kActiveMonitoringPage);
}

TEST_F(MainFormLayoutTest, ImageButtonsShowNoPopUpHint) {
  for (const char* name :
       {"btnScan", "btnSettings", "btnQuarantine", "btnUpdate", "btnInfo", "btnHelp"}) {
    const auto& button = Get<ui::ImageButton>(name);
    EXPECT_FALSE(button.ShowHint()) << name;
    EXPECT_FALSE(button.Hint().empty()) << name;
    EXPECT_EQ(button.Cursor(), ui::Cursor::kHand) << name;
    EXPECT_EQ(button.Opaque(), std::string(name) == "btnHelp") << name;
    EXPECT_FALSE(button.Pictures().normal.empty()) << name;
    EXPECT_NE(button.Pictures().normal, button.Pictures().highlighted) << name;
    EXPECT_NE(button.Pictures().normal, button.Pictures().pressed) << name;
  }
  EXPECT_EQ(Get<ui::ImageButton>("btnHelp").TransparentColor(), ui::colors::kWhite);
  EXPECT_EQ(Get<ui::ImageButton>("btnInfo").TransparentColor(), ui::colors::kFuchsia);
}

TEST_F(MainFormLayoutTest, StatusPageLooks) {
  EXPECT_EQ(Label("lblRefStatus").Font().height, 12);
  EXPECT_EQ(Label("lblAMStatus").Caption(), "Not loaded");
  EXPECT_EQ(Label("lblAMStatus").Font().color, ui::colors::kRed);
  EXPECT_EQ(Label("lblTotalScans").Caption(), "0");
  EXPECT_EQ(Label("lblLastSystemScan").Caption(), "Never");
  EXPECT_EQ(Label("lblLastSystemScan").Font().color, ui::colors::kNavy);
  EXPECT_EQ(Label("lblFileStatus").Font().color, ui::colors::kGreen);
  EXPECT_EQ(Label("lblInitialized").Font().height, 11);
  const auto& details = Get<ui::LinkLabel>("lblDetails");
  EXPECT_EQ(details.Hint(), "Click here to find out more\r\nabout your reference file");
  EXPECT_TRUE(details.ShowHint());
  EXPECT_TRUE(details.Font().bold && details.Font().underline);
  EXPECT_EQ(details.Cursor(), ui::Cursor::kHand);
  const auto& toggle = Get<ui::LinkLabel>("lblEnableDisable");
  EXPECT_EQ(toggle.Alignment(), ui::Alignment::kRight);
  EXPECT_EQ(toggle.Hint(), "Click here to enable or disable\r\nactive monitoring");
}

TEST_F(MainFormLayoutTest, DetailsMemo) {
  const auto& memo = Get<ui::Memo>("DetailsMemo");
  EXPECT_EQ(memo.Color(), ui::Color::Rgb(0xEAF3FF));
  EXPECT_EQ(memo.Font().face, "Courier New");
  EXPECT_EQ(memo.Font().height, 13);
  EXPECT_TRUE(memo.ReadOnly());
  EXPECT_FALSE(memo.WordWrap());
  EXPECT_EQ(memo.ScrollBars(), ui::ScrollBars::kNone);
  EXPECT_TRUE(memo.Lines().empty());
}

TEST_F(MainFormLayoutTest, InitialStatesOfThePages) {
  EXPECT_TRUE(Get<ui::RadioButton>("chkQuick").Checked());
  EXPECT_FALSE(Get<ui::RadioButton>("chkComplete").Checked());
  EXPECT_FALSE(Get<ui::RadioButton>("chkSelect").Checked());
  EXPECT_TRUE(Get<ui::CheckBox>("chkRegScan").Checked());
  EXPECT_FALSE(Get<ui::Image>("imgOK").Visible());
  EXPECT_EQ(Label("lblNO").Font().color, ui::colors::kNavy);
  EXPECT_FALSE(Control("btnTerminate").Enabled());
  EXPECT_FALSE(Control("btnRestore").Enabled());
  EXPECT_FALSE(Control("btnEmpty").Enabled());
  EXPECT_TRUE(Control("btnCancel").Enabled());
  EXPECT_TRUE(Control("btnRepair").Enabled());
  EXPECT_EQ(Label("lblQuarantine").Caption(), "There are currently no objects in quarantine");
  EXPECT_EQ(Label("lblAM").Caption(), "Active monitoring is disabled.");

  EXPECT_FALSE(Get<ui::CheckBox>("chkStartup").Checked());
  EXPECT_TRUE(Get<ui::CheckBox>("chkMinimize").Checked());
  EXPECT_TRUE(Get<ui::CheckBox>("chkQuarantine").Checked());
  EXPECT_TRUE(Get<ui::CheckBox>("chkDeepScanReg").Checked());
  EXPECT_TRUE(Get<ui::CheckBox>("chkAutoTerminate").Checked());
  EXPECT_FALSE(Get<ui::CheckBox>("chkAutoStartMonitor").Checked());
  EXPECT_EQ(Control("chkAutoStartMonitor").Left(), 24);
  const auto& speed = Get<ui::ComboBox>("comboSpeed");
  ASSERT_EQ(speed.Items().size(), 9u);
  EXPECT_EQ(speed.ItemIndex(), 8);
  EXPECT_EQ(speed.Text(), "Each 10 seconds");
}

TEST_F(MainFormLayoutTest, ListColumnsAndOrder) {
  const auto columns = [&](const char* name) {
    std::vector<std::pair<std::string, int>> result;
    for (const ui::ListColumn& column : Get<ui::ListView>(name).Columns()) {
      result.emplace_back(column.caption, column.width);
    }
    return result;
  };
  using Columns = std::vector<std::pair<std::string, int>>;
  EXPECT_EQ(columns("Report"),
            (Columns{{"Filename", 100}, {"Location", 150}, {"Description", 219}}));
  EXPECT_EQ(columns("ProcessList"), (Columns{{"Process name", 300}, {"Ad status", 133}}));
  EXPECT_EQ(columns("Quarantine"),
            (Columns{{"Name", 150}, {"Type", 150}, {"Original location", 169}}));
}

}  // namespace
}  // namespace nexolant
