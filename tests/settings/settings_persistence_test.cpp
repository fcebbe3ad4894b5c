#include <algorithm>
#include <cctype>
#include <string>
#include <utility>
#include <vector>

#include "app/main_form_fixture.h"

namespace nexolant {
namespace {

// The stored options and the statistics of whole runs of the program over in-memory files.
class SettingsPersistenceTest : public MainFormTest {
 protected:
  static constexpr const char* kIni = "C:\\Program Files\\Nexolant\\Nexolant.ini";

  SettingsPersistenceTest() { PutReference("[ScanFiles]\nA.EXE=Bad\n"); }

  // One run: start, the actions in the main loop, close.
  void RunProgram(std::vector<std::function<void()>> actions = {}) {
    Create();
    for (auto& action : actions) {
      backend_.QueueInMainLoop(std::move(action));
    }
    application_.Run(*form_);
    form_.reset();
  }

  std::string IniText() const { return files_.Contents(kIni).value_or("<no file>"); }
  SettingsPage& Page() const { return form_->Settings(); }

  // The user opens the Settings page and sets the box.
  void SetOption(ui::CheckBox& box, bool checked) {
    backend_.Click(Side("SettingsBtn"));
    EXPECT_TRUE(backend_.SetChecked(box, checked)) << box.Name();
  }
};

TEST_F(SettingsPersistenceTest, AFirstRunWritesTheTenSettingsKeysInOrderThenTheStatistics) {
  int writesAtStart = 0;
  RunProgram({[&] { writesAtStart = files_.WriteCount(); }});
  EXPECT_EQ(IniText(),
            "[Settings]\r\n"
            "FormVersion=0\r\n"
            "chkAutoStartMonitor_Checked=False\r\n"
            "chkMinimize_Checked=True\r\n"
            "chkQuarantine_Checked=True\r\n"
            "comboSpeed_ItemIndex=8\r\n"
            "chkAutoStartMonitor_Left=24\r\n"
            "chkAutoTerminate_Checked=True\r\n"
            "chkDeepScanReg_Checked=True\r\n"
            "chkScanStartup_Checked=True\r\n"
            "chkKeepLog_Checked=True\r\n"
            "\r\n"
            "[General]\r\n"
            "TotalScans=0\r\n"
            "ObjectsRemoved=0\r\n"
            "ObjectsQuarantined=0\r\n"
            "LastScan=-1\r\n"
            "\r\n");
  // Ten writes of the settings, one rewrite for the statistics: the destruction after the
  // close saves nothing more.
  EXPECT_EQ(files_.WriteCount() - writesAtStart, 11);
  EXPECT_EQ(profileStrings_.Flushed(), (std::vector<std::string>{kIni, kIni}))
      << "the file is released after the restore and after the save";
  EXPECT_TRUE(backend_.Messages().empty());
}

TEST_F(SettingsPersistenceTest, ChangedOptionsAndFiguresComeBackAtTheNextStart) {
  RunProgram({[&] {
    SetOption(Page().chkMinimize(), false);
    SetOption(Page().chkAutoStartMonitor(), true);
    SetOption(Page().chkDeepScanReg(), false);
    EXPECT_TRUE(backend_.Select(Page().comboSpeed(), 2));
    form_->Statistics().ScanStarted(46000.75);
    form_->Statistics().CountRemoved();
  }});
  RunProgram({[&] {
    EXPECT_FALSE(Page().chkMinimize().Checked());
    EXPECT_TRUE(Page().chkAutoStartMonitor().Checked());
    EXPECT_FALSE(Page().chkDeepScanReg().Checked());
    EXPECT_TRUE(Page().chkQuarantine().Checked());
    EXPECT_EQ(Page().comboSpeed().ItemIndex(), 2);
    EXPECT_EQ(Label("lblTotalScans").Caption(), "1");
    EXPECT_EQ(Label("lblObjectsRemoved").Caption(), "1");
    EXPECT_EQ(Label("lblLastSystemScan").Caption(), "2025-12-09 18:00:00");
  }});
  EXPECT_NE(IniText().find("LastScan=46000.75\r\n"), std::string::npos) << IniText();
}

// What the restore makes of a hand-edited [Settings] section.
struct StoredCase {
  const char* lines;
  const char* property;  // "control.Property"
  int expected;          // a tick as 1 or 0, the selected item, the left edge
};

class StoredValueTest : public SettingsPersistenceTest,
                        public ::testing::WithParamInterface<StoredCase> {
 protected:
  int Observed(const std::string& property) const {
    const std::string name = property.substr(0, property.find('.'));
    if (property.ends_with(".Left")) {
      return Control(name).Left();
    }
    if (property.ends_with(".ItemIndex")) {
      return Get<ui::ComboBox>(name).ItemIndex();
    }
    return Get<ui::CheckBox>(name).Checked() ? 1 : 0;
  }
};

TEST_P(StoredValueTest, RestoresAsTheRulesSay) {
  files_.AddFile(kIni, std::string("[Settings]\r\n") + GetParam().lines + "\r\n");
  RunProgram({[&] { EXPECT_EQ(Observed(GetParam().property), GetParam().expected); }});
  EXPECT_TRUE(backend_.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoredValueTest,
    ::testing::Values(
        StoredCase{"chkDeepScanReg_Checked=false", "chkDeepScanReg.Checked", 0},
        StoredCase{"chkDeepScanReg_Checked=  FALSE  ", "chkDeepScanReg.Checked", 0},
        StoredCase{"chkDeepScanReg_Checked=no", "chkDeepScanReg.Checked", 1},
        StoredCase{"chkDeepScanReg_Checked=0", "chkDeepScanReg.Checked", 1},
        StoredCase{"chkAutoStartMonitor_Checked=tRUE", "chkAutoStartMonitor.Checked", 1},
        StoredCase{"chkAutoStartMonitor_Checked=", "chkAutoStartMonitor.Checked", 0},
        StoredCase{"CHKMINIMIZE_CHECKED=False", "chkMinimize.Checked", 0},
        StoredCase{"comboSpeed_ItemIndex=fast", "comboSpeed.ItemIndex", 0},
        StoredCase{"comboSpeed_ItemIndex=", "comboSpeed.ItemIndex", 0},
        StoredCase{"comboSpeed_ItemIndex=3", "comboSpeed.ItemIndex", 3},
        StoredCase{"comboSpeed_ItemIndex=0x5", "comboSpeed.ItemIndex", 5},
        StoredCase{"comboSpeed_ItemIndex=9", "comboSpeed.ItemIndex", 8},
        StoredCase{"comboSpeed_ItemIndex=-1", "comboSpeed.ItemIndex", 8},
        StoredCase{"comboSpeed_ItemIndex=99999999999", "comboSpeed.ItemIndex", 0},
        StoredCase{"chkAutoStartMonitor_Left=30", "chkAutoStartMonitor.Left", 30},
        StoredCase{"chkAutoStartMonitor_Left=left", "chkAutoStartMonitor.Left", 0},
        // A version below 0 skips every property; one that is not a number reads as 0.
        StoredCase{"FormVersion=-1\r\nchkDeepScanReg_Checked=False", "chkDeepScanReg.Checked", 1},
        StoredCase{"FormVersion=x\r\nchkDeepScanReg_Checked=False", "chkDeepScanReg.Checked", 0}));

// A whole run over a stored file: the user's changes on the page, what the page shows at the
// end, and the file the close leaves, byte for byte as the program has always written it.
struct FileCase {
  const char* stored;                               // the file at the start; nullptr: none
  std::vector<std::pair<const char*, bool>> ticks;  // boxes the user sets, in order
  int pick;                                         // the interval item picked; -1: none
  const char* shown;
  const char* written;
};

class StoredFileTest : public SettingsPersistenceTest,
                       public ::testing::WithParamInterface<FileCase> {
 protected:
  // The ticks of chkStartup, chkMinimize, chkQuarantine, chkDeepScanReg, chkAutoTerminate and
  // chkAutoStartMonitor, the auto-start box's left edge and the interval item: "011110 24 8".
  std::string Shown() const {
    std::string shown;
    for (const char* box : {"chkStartup", "chkMinimize", "chkQuarantine", "chkDeepScanReg",
                            "chkAutoTerminate", "chkAutoStartMonitor"}) {
      shown += Get<ui::CheckBox>(box).Checked() ? '1' : '0';
    }
    return shown + " " + std::to_string(Control("chkAutoStartMonitor").Left()) + " " +
           std::to_string(Get<ui::ComboBox>("comboSpeed").ItemIndex());
  }
};

TEST_P(StoredFileTest, WritesTheFileItAlwaysWrote) {
  const FileCase& test = GetParam();
  if (test.stored != nullptr) {
    files_.AddFile(kIni, test.stored);
  }
  std::string shown;
  RunProgram({[&] {
    for (const auto& [box, checked] : test.ticks) {
      SetOption(Get<ui::CheckBox>(box), checked);
    }
    if (test.pick >= 0) {
      EXPECT_TRUE(backend_.Select(Page().comboSpeed(), test.pick));
    }
    shown = Shown();
  }});
  EXPECT_EQ(shown, test.shown);
  EXPECT_EQ(IniText(), test.written);
  EXPECT_TRUE(backend_.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, StoredFileTest,
    ::testing::Values(
        FileCase{nullptr,
                 {{"chkMinimize", false},
                  {"chkQuarantine", false},
                  {"chkDeepScanReg", false},
                  {"chkAutoTerminate", false},
                  {"chkAutoStartMonitor", true}},
                 3,
                 "000001 24 3",
                 "[Settings]\r\nFormVersion=0\r\nchkAutoStartMonitor_Checked=True\r\n"
                 "chkMinimize_Checked=False\r\nchkQuarantine_Checked=False\r\n"
                 "comboSpeed_ItemIndex=3\r\nchkAutoStartMonitor_Left=24\r\n"
                 "chkAutoTerminate_Checked=False\r\nchkDeepScanReg_Checked=False\r\nchkScanStartup_"
                 "Checked=True\r\nchkKeepLog_Checked=True\r\n\r\n"
                 "[General]\r\nTotalScans=0\r\nObjectsRemoved=0\r\n"
                 "ObjectsQuarantined=0\r\nLastScan=-1\r\n\r\n"},
        FileCase{"[Settings]\r\nchkQuarantine_Checked=no\r\ncomboSpeed_ItemIndex=fast\r\n"
                 "CHKMINIMIZE_CHECKED= false \r\nchkAutoStartMonitor_Left=30\r\nOther=kept\r\n"
                 "[General]\r\nTotalScans=7\r\n",
                 {},
                 -1,
                 "001110 30 0",
                 "[Settings]\r\nchkQuarantine_Checked=True\r\ncomboSpeed_ItemIndex=0\r\n"
                 "CHKMINIMIZE_CHECKED=False\r\nchkAutoStartMonitor_Left=30\r\n"
                 "Other=kept\r\nFormVersion=0\r\nchkAutoStartMonitor_Checked=False\r\n"
                 "chkAutoTerminate_Checked=True\r\nchkDeepScanReg_Checked=True\r\nchkScanStartup_"
                 "Checked=True\r\nchkKeepLog_Checked=True\r\n\r\n"
                 "[General]\r\nTotalScans=7\r\nObjectsRemoved=0\r\n"
                 "ObjectsQuarantined=0\r\nLastScan=-1\r\n\r\n"},
        FileCase{"[Settings]\r\nFormVersion=0\r\ncomboSpeed_ItemIndex=99\r\n"
                 "chkAutoTerminate_Checked=False\r\nchkAutoStartMonitor_Checked=True\r\n",
                 {{"chkDeepScanReg", false}},
                 -1,
                 "011001 24 8",
                 "[Settings]\r\nFormVersion=0\r\ncomboSpeed_ItemIndex=8\r\n"
                 "chkAutoTerminate_Checked=False\r\nchkAutoStartMonitor_Checked=True\r\n"
                 "chkMinimize_Checked=True\r\nchkQuarantine_Checked=True\r\n"
                 "chkAutoStartMonitor_Left=24\r\nchkDeepScanReg_Checked=False\r\nchkScanStartup_"
                 "Checked=True\r\nchkKeepLog_Checked=True\r\n\r\n"
                 "[General]\r\nTotalScans=0\r\nObjectsRemoved=0\r\n"
                 "ObjectsQuarantined=0\r\nLastScan=-1\r\n\r\n"},
        FileCase{"[Settings]\r\nFormVersion=-1\r\nchkDeepScanReg_Checked=False\r\n"
                 "comboSpeed_ItemIndex=2\r\nchkAutoStartMonitor_Left=40\r\n",
                 {{"chkMinimize", false}},
                 0,
                 "001110 24 0",
                 "[Settings]\r\nFormVersion=0\r\nchkDeepScanReg_Checked=True\r\n"
                 "comboSpeed_ItemIndex=0\r\nchkAutoStartMonitor_Left=24\r\n"
                 "chkAutoStartMonitor_Checked=False\r\nchkMinimize_Checked=False\r\n"
                 "chkQuarantine_Checked=True\r\nchkAutoTerminate_Checked=True\r\nchkScanStartup_"
                 "Checked=True\r\nchkKeepLog_Checked=True\r\n\r\n"
                 "[General]\r\nTotalScans=0\r\nObjectsRemoved=0\r\n"
                 "ObjectsQuarantined=0\r\nLastScan=-1\r\n\r\n"},
        FileCase{"[Settings]\r\nFormVersion=3\r\ncomboSpeed_ItemIndex=5\r\n"
                 "chkAutoStartMonitor_Left=-7\r\n",
                 {{"chkMinimize", false}, {"chkMinimize", true}},
                 5,
                 "011110 -7 5",
                 "[Settings]\r\nFormVersion=0\r\ncomboSpeed_ItemIndex=5\r\n"
                 "chkAutoStartMonitor_Left=-7\r\nchkAutoStartMonitor_Checked=False\r\n"
                 "chkMinimize_Checked=True\r\nchkQuarantine_Checked=True\r\n"
                 "chkAutoTerminate_Checked=True\r\nchkDeepScanReg_Checked=True\r\nchkScanStartup_"
                 "Checked=True\r\nchkKeepLog_Checked=True\r\n\r\n"
                 "[General]\r\nTotalScans=0\r\nObjectsRemoved=0\r\n"
                 "ObjectsQuarantined=0\r\nLastScan=-1\r\n\r\n"}));

TEST_F(SettingsPersistenceTest, AnUnwritableFileIsReportedOnceAndTheCloseGoesOn) {
  profileStrings_.FailWrites();
  RunProgram({[&] { form_->Statistics().CountQuarantined(); }});

  ASSERT_EQ(backend_.Messages().size(), 1u) << "the destruction does not try again";
  EXPECT_EQ(backend_.Messages()[0].text,
            "Unable to write to C:\\Program Files\\Nexolant\\Nexolant.ini.");
  EXPECT_EQ(backend_.Messages()[0].caption, "Nexolant");
  EXPECT_EQ(backend_.Messages()[0].icon, ui::MessageIcon::kError);
  EXPECT_EQ(profileStrings_.Flushed().size(), 2u) << "released after the failed save too";
  EXPECT_NE(IniText().find("ObjectsQuarantined=1"), std::string::npos)
      << "the statistics are saved all the same";
}

TEST_F(SettingsPersistenceTest, ACloseWhoseWritesFailAtAnyByteLeavesAFileTheNextStartReads) {
  RunProgram();
  const std::string before = IniText();
  const auto change = [&] {
    SetOption(Page().chkMinimize(), false);
    form_->Statistics().ScanStarted(46000.75);
  };
  RunProgram({change});
  const std::string after = IniText();
  ASSERT_NE(before, after);
  const auto isLineOf = [](const std::string& text, const std::string& line) {
    return text.find(line + "\r\n") != std::string::npos;
  };

  for (std::size_t budget = 0; budget < after.size(); ++budget) {
    SCOPED_TRACE(budget);
    files_.AddFile(kIni, before);
    const std::size_t messagesBefore = backend_.Messages().size();
    RunProgram({change, [&] { files_.FailWritesAfter(budget); }});
    files_.AllowWrites();
    const std::string text = IniText();
    for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
      const std::string line = text.substr(start, end - start);
      EXPECT_TRUE(isLineOf(before, line) || isLineOf(after, line)) << line;
    }
    // Each failure names the file: the options' or the statistics' write warning.
    for (auto message = backend_.Messages().begin() + messagesBefore;
         message != backend_.Messages().end(); ++message) {
      std::string text = message->text;
      std::transform(text.begin(), text.end(), text.begin(),
                     [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
      EXPECT_NE(text.find("NEXOLANT.INI"), std::string::npos) << message->text;
    }
    EXPECT_EQ(files_.Names("C:\\Program Files\\Nexolant").size(), 2u)
        << "no temporary file is left beside the settings";
    RunProgram({[&] {
      const bool minimize = Page().chkMinimize().Checked();
      EXPECT_EQ(isLineOf(text, "chkMinimize_Checked=False"), !minimize);
      EXPECT_TRUE(Label("lblTotalScans").Caption() == "0" ||
                  Label("lblTotalScans").Caption() == "1");
    }});
  }
}

TEST_F(SettingsPersistenceTest, TheSessionEndSavesBothOnceAndNothingIsSavedAgainLater) {
  int writesAtEnd = 0;
  RunProgram({[&] {
                const int writesAtStart = files_.WriteCount();
                SetOption(Page().chkQuarantine(), false);
                form_->Statistics().ScanStarted(46000.5);
                backend_.EndSession();
                EXPECT_NE(IniText().find("chkQuarantine_Checked=False"), std::string::npos);
                EXPECT_NE(IniText().find("TotalScans=1"), std::string::npos);
                writesAtEnd = files_.WriteCount();
                EXPECT_EQ(writesAtEnd - writesAtStart, 11);
              },
              [&] {
                backend_.EndSession();
                SetOption(Page().chkQuarantine(), true);
              }});
  EXPECT_EQ(files_.WriteCount(), writesAtEnd);
  EXPECT_NE(IniText().find("chkQuarantine_Checked=False"), std::string::npos);
}

}  // namespace
}  // namespace nexolant
