#include <string>

#include "app/main_form.h"
#include "app/splash_form.h"
#include "main_form_fixture.h"
#include "platform/string_list.h"
#include "support/named_control.h"

namespace nexolant {
namespace {

const char* const kNotFoundStatus = "Reference file NOT loaded. Unable to find file.";

class StartupTest : public MainFormTest {
 protected:
  const StringList& Details() const { return Get<ui::Memo>("DetailsMemo").Lines(); }

  void ExpectDesignedStatus() const {
    EXPECT_EQ(Label("lblRefStatus").Caption(), "Reference file has been loaded successfully");
    EXPECT_EQ(Label("lblFileStatus").Caption(), "Status OK");
    EXPECT_EQ(Label("lblFileStatus").Font().color, ui::colors::kGreen);
    EXPECT_TRUE(Label("lblFileStatus").Font().bold);
    EXPECT_TRUE(Label("lblInitialized").Visible());
  }
};

TEST_F(StartupTest, ShowsTheSplashFirstAndClosesItByItsTimer) {
  PutReference("[ScanFiles]\nA.EXE=Bad\n");
  bool splashSawAnEmptyWindow = false;
  backend_.QueueModal([&](ui::Form& splash) {
    // Nothing of the start-up has run yet: no hint style, no reference details.
    splashSawAnEmptyWindow = backend_.AppliedHintStyle() == ui::HintStyle{} &&
                             Get<ui::Memo>("DetailsMemo").Lines().empty();
    EXPECT_FALSE(form_->Visible());
    EXPECT_EQ(splash.BorderStyle(), ui::BorderStyle::kNone);
    EXPECT_EQ(splash.Position(), ui::FormPosition::kScreenCenter);
    EXPECT_EQ(splash.ClientWidth(), 876);
    EXPECT_EQ(splash.ClientHeight(), 525);
    EXPECT_EQ(Named<ui::Image>(splash, "Image1").Cursor(), ui::Cursor::kHourGlass);
    backend_.FireRunningTimers();
  });
  form_ = std::make_unique<TMainForm>(Services());
  application_.CreateForm(*form_);

  ASSERT_EQ(backend_.Modals().size(), 1u);
  EXPECT_EQ(backend_.Modals()[0].formName, "SplashForm");
  EXPECT_NE(backend_.Modals()[0].result, ui::ModalResult::kNone);
  EXPECT_TRUE(splashSawAnEmptyWindow);
  EXPECT_TRUE(backend_.RealisedForms().empty());
  EXPECT_TRUE(backend_.Messages().empty());
  EXPECT_EQ(Details().size(), 11u);
}

TEST_F(StartupTest, SplashClosesItselfAfterThreeSeconds) {
  TSplashForm splash(application_);
  ASSERT_TRUE(backend_.IsRunning(splash.CloseTimer()));
  EXPECT_EQ(backend_.StartedInterval(splash.CloseTimer()), 3000u);
  EXPECT_FALSE(splash.Closed());
  ASSERT_TRUE(backend_.FireTimer(splash.CloseTimer()));
  EXPECT_TRUE(splash.Closed());
}

TEST_F(StartupTest, SetsTheHintStyle) {
  Create();
  const ui::HintStyle& style = backend_.AppliedHintStyle();
  EXPECT_TRUE(style.rounded);
  EXPECT_EQ(style.shadowOffset, 2);
  EXPECT_FALSE(style.pointerTail);
  EXPECT_TRUE(style.centered);
}

TEST_F(StartupTest, NoReferenceFileShowsStatusNotOk) {
  Create();
  EXPECT_EQ(Label("lblRefStatus").Caption(), kNotFoundStatus);
  EXPECT_EQ(Label("lblFileStatus").Caption(), "Status NOT OK");
  EXPECT_EQ(Label("lblFileStatus").Font().color, ui::colors::kRed);
  EXPECT_FALSE(Label("lblInitialized").Visible());
  EXPECT_EQ(Details(), (StringList{"Reference file NOT loaded.", std::string(26, '-'),
                                   "The reference file REFERENCE.DAT does not exist",
                                   "in program directory."}));
  EXPECT_TRUE(form_->Tables().ScanFileNames.empty());
  EXPECT_TRUE(form_->Tables().ProcessNames.empty());
  EXPECT_TRUE(form_->Tables().RegistryNames.empty());
  EXPECT_TRUE(backend_.Messages().empty());
}

TEST_F(StartupTest, AFolderNamedLikeTheReferenceFileCountsAsNoFile) {
  files_.AddFolder(std::string(kFolder) + "Reference.dat");
  Create();
  EXPECT_EQ(Label("lblRefStatus").Caption(), kNotFoundStatus);
}

TEST_F(StartupTest, GoodReferenceFileFillsTablesAndDetails) {
  PutReference(
      "[ScanFiles]\nA.EXE=Bad=Thing\nB*.DLL=Worse\n"
      "[OtherKill]\nK1.EXE=One\nK2.EXE=Two\nK3.EXE=Three\n"
      "[Registry]\nEvilKey=Key\n");
  Create();

  ExpectDesignedStatus();
  const std::string path = std::string(kFolder) + "Reference.dat";
  const std::string size = std::to_string(files_.Contents(path)->size());
  EXPECT_EQ(Details(),
            (StringList{"Reference file loaded at: " + locale_.FormatDateTime(kStartTime),
                        std::string(47, '-'), "", "File location: " + path, "",
                        "Total adware signatures: 2", "Total process signatures: 5",
                        "Total registry signatures: 1", "Total signatures: 8", "",
                        "Total size: " + size + " bytes"}));
  const SignatureTables& tables = form_->Tables();
  EXPECT_EQ(tables.ProcessNames.Patterns(),
            (StringList{"K1.EXE", "K2.EXE", "K3.EXE", "A.EXE", "B*.DLL"}));
  EXPECT_EQ(tables.ScanFileDescriptions, (StringList{"Bad=Thing", "Worse"}));
  EXPECT_EQ(tables.RegistryDescriptions, StringList{"Key"});
  EXPECT_TRUE(backend_.Messages().empty());
}

TEST_F(StartupTest, FailingLoadGoesToTheErrorReportAndTheWindowStillWorks) {
  PutReference("[ScanFiles]\nA.EXE=Bad\n");
  files_.FailTempFiles(5, "Access is denied");
  Create();

  ASSERT_EQ(backend_.Messages().size(), 1u);
  const RecordedMessage& report = backend_.Messages()[0];
  EXPECT_EQ(report.text, "GetTempFileName API failed.Access is denied.");
  EXPECT_EQ(report.caption, "Nexolant");
  EXPECT_EQ(report.buttons, ui::MessageButtons::kOk);
  EXPECT_EQ(report.icon, ui::MessageIcon::kError);
  ExpectDesignedStatus();
  EXPECT_TRUE(Details().empty());

  backend_.QueueInMainLoop([&] { backend_.Click(Control("ScanBtn")); });
  backend_.QueueInMainLoop([&] { EXPECT_EQ(PageIndex(), kScanNowPage); });
  application_.Run(*form_);
  EXPECT_TRUE(form_->Closed());
  EXPECT_EQ(backend_.Messages().size(), 1u);
}

TEST_F(StartupTest, UnreadableReferenceFileIsReportedToo) {
  const std::string path = std::string(kFolder) + "Reference.dat";
  PutReference("[ScanFiles]\nA.EXE=Bad\n");
  files_.SetUnreadable(path);
  Create();
  ASSERT_EQ(backend_.Messages().size(), 1u);
  EXPECT_EQ(backend_.Messages()[0].icon, ui::MessageIcon::kError);
  ExpectDesignedStatus();
}

TEST_F(StartupTest, RunShowsTheWindowOnTheStatusPage) {
  backend_.QueueInMainLoop([&] {
    EXPECT_TRUE(form_->Visible());
    EXPECT_EQ(PageIndex(), kStatusPage);
    EXPECT_TRUE(Side("StatusBtn").Down());
  });
  form_ = std::make_unique<TMainForm>(Services());
  application_.Run(*form_);
  EXPECT_EQ(backend_.Modals().size(), 1u);
  EXPECT_TRUE(form_->Closed());
}

}  // namespace
}  // namespace nexolant
