#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "app/main_form.h"
#include "app/main_form_fixture.h"
#include "ui/recording_observer.h"

namespace nexolant {
namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;

// The process names list: [OtherKill] first, then [ScanFiles].
constexpr const char* kReference =
    "[ScanFiles]\n"
    "ADWARE*.EXE=Adware family\n"
    "[OtherKill]\n"
    "SPYPROC.EXE=Spy process\n"
    "NEXOLANT.EXE=Not to be touched\n";

class ActiveMonitorTest : public MainFormTest {
 protected:
  void SetUp() override {
    PutReference(ReferenceText());
    Create();
  }
  virtual const char* ReferenceText() const { return kReference; }

  ActiveMonitoringPage& Monitor() const { return form_->ActiveMonitoring(); }
  ui::ListView& List() const { return Monitor().ProcessList(); }
  ui::Timer& Timer() const { return Monitor().ProcessTimer(); }
  bool TimerRuns() const { return backend_.IsRunning(Timer()); }

  void SetAutoTerminate(bool on) { form_->UserOptions().Set(Option::kAutoTerminate, on); }

  // Clicks a link as the user does, on the page that shows it.
  void ClickLink(const std::string& name) {
    ASSERT_TRUE(backend_.Click(Control(name == "lblAMEnable" ? "ActiveBtn" : "StatusBtn")));
    ASSERT_TRUE(backend_.Click(Control(name))) << name;
  }

  void SwitchOn() {
    ClickLink("lblAMEnable");
    ASSERT_TRUE(Monitor().MonitoringEnabled());
  }

  Rows ListedRows() const {
    Rows rows;
    for (const ui::ListItem& item : List().Items()) {
      rows.emplace_back(item.caption, item.subItems.empty() ? "" : item.subItems.front());
    }
    return rows;
  }

  // Every caption and colour that tells whether monitoring is on, on both pages.
  void ExpectLook(bool on) const {
    const char* link = on ? "Disable" : "Enable";
    EXPECT_EQ(Monitor().lblAMEnable().Caption(), link);
    EXPECT_EQ(Label("lblEnableDisable").Caption(), link);
    EXPECT_EQ(Label("lblAM").Caption(),
              on ? "Active monitoring is enabled." : "Active monitoring is disabled.");
    EXPECT_EQ(Label("lblAM").Font().color, on ? ui::colors::kGreen : ui::colors::kRed);
    EXPECT_EQ(Label("lblAMStatus").Caption(), on ? "Loaded" : "Not loaded");
    EXPECT_EQ(Label("lblAMStatus").Font().color, on ? ui::colors::kGreen : ui::colors::kRed);
    EXPECT_TRUE(Label("lblAMStatus").Font().bold);
    EXPECT_EQ(Label("lblAMProcessing").Caption(), on ? "Monitoring..." : "Ready.");
    EXPECT_EQ(TimerRuns(), on);
  }
};

// Either link switches on, either switches off, and both pages follow.
TEST_F(ActiveMonitorTest, EitherLinkTogglesAndBothPagesFollow) {
  processes_.Add(200, "C:\\Windows\\explorer.exe");
  const std::vector<std::pair<const char*, const char*>> orders{
      {"lblAMEnable", "lblEnableDisable"}, {"lblEnableDisable", "lblAMEnable"}};
  for (const auto& [on, off] : orders) {
    SCOPED_TRACE(std::string(on) + " then " + off);
    ExpectLook(false);
    ClickLink(on);
    ExpectLook(true);
    EXPECT_EQ(ListedRows(), (Rows{{"explorer.exe", "No"}}));
    ASSERT_TRUE(backend_.Click(Control("ActiveBtn")));
    ASSERT_TRUE(backend_.ClickRow(List(), 0));
    ASSERT_TRUE(Monitor().btnTerminate().Enabled());
    ClickLink(off);
    ExpectLook(false);
    EXPECT_EQ(List().Count(), 0);
    EXPECT_FALSE(Monitor().btnTerminate().Enabled());
  }
}

TEST_F(ActiveMonitorTest, ListsEveryProcessSortedByNameWithItsDescriptionOrNo) {
  SetAutoTerminate(false);
  processes_.Add(200, "C:\\Windows\\winlogon.exe");
  processes_.Add(201, "C:\\Temp\\spyproc.exe");
  processes_.Add(202, "C:\\Windows\\Explorer.EXE");
  processes_.Add(203, "C:\\Temp\\AdwareHelper.exe");
  processes_.Add(204, "C:\\Temp\\adwarehelper.exe");
  EXPECT_EQ(List().Columns()[1].width, 133);
  SwitchOn();
  EXPECT_EQ(ListedRows(), (Rows{{"adwarehelper.exe", "Adware family"},
                                {"AdwareHelper.exe", "Adware family"},
                                {"Explorer.EXE", "No"},
                                {"spyproc.exe", "Spy process"},
                                {"winlogon.exe", "No"}}));
  EXPECT_EQ(List().Columns()[0].width, 300);
  EXPECT_EQ(List().Columns()[1].width, 116);
  EXPECT_TRUE(processes_.Terminated().empty());

  // As many processes as before under other names are sorted anew, and each outcome of an
  // automatic termination goes to its own row.
  ASSERT_TRUE(processes_.OpenProcess(platform::kProcessTerminate, 201)->Terminate(0));
  processes_.Add(205, "C:\\Temp\\zap.exe");
  SetAutoTerminate(true);
  ASSERT_TRUE(backend_.FireTimer(Timer()));
  EXPECT_EQ(ListedRows(), (Rows{{"adwarehelper.exe", "Adware family - Terminated"},
                                {"AdwareHelper.exe", "Adware family - Terminated"},
                                {"Explorer.EXE", "No"},
                                {"winlogon.exe", "No"},
                                {"zap.exe", "No"}}));
}

// Each known row ends its own process, by its id: two processes of one name are two
// terminations. The program's own process is never known, even under a known name.
TEST_F(ActiveMonitorTest, AutomaticTerminationMarksEachKnownRow) {
  processes_.Add(200, "C:\\Temp\\SPYPROC.EXE");
  processes_.Add(201, "C:\\Temp\\SpyProc.exe");
  processes_.Add(202, "C:\\Temp\\adwareX.exe").terminateFails = true;
  processes_.Add(100, "C:\\Program Files\\Nexolant\\Nexolant.exe");
  processes_.Add(203, "C:\\Windows\\explorer.exe");
  SwitchOn();
  EXPECT_EQ(ListedRows(), (Rows{{"adwareX.exe", "Adware family - Unable to terminate"},
                                {"explorer.exe", "No"},
                                {"Nexolant.exe", "No"},
                                {"SpyProc.exe", "Spy process - Terminated"},
                                {"SPYPROC.EXE", "Spy process - Terminated"}}));
  EXPECT_EQ(processes_.Terminated(), (std::vector<std::uint32_t>{201, 200}));

  // The rows of terminated processes stay until the next refresh.
  ASSERT_TRUE(backend_.FireTimer(Timer()));
  EXPECT_EQ(ListedRows(), (Rows{{"adwareX.exe", "Adware family - Unable to terminate"},
                                {"explorer.exe", "No"},
                                {"Nexolant.exe", "No"}}));
}

struct TerminateCase {
  const char* title;
  ui::MessageResult answer;
  bool terminateFails;
  bool terminated;
  Rows rowsAfter;
  std::vector<std::string> messages;
  bool buttonAfter;
};

class TerminateTest : public ActiveMonitorTest,
                      public ::testing::WithParamInterface<TerminateCase> {};

TEST_P(TerminateTest, AsksThenTerminatesByName) {
  const TerminateCase& test = GetParam();
  SetAutoTerminate(false);
  processes_.Add(200, "C:\\Windows\\explorer.exe");
  processes_.Add(201, "C:\\Temp\\notepad.exe").terminateFails = test.terminateFails;
  SwitchOn();
  ASSERT_TRUE(backend_.ClickRow(List(), 1));
  backend_.QueueAnswer(test.answer);
  ASSERT_TRUE(backend_.Click(Monitor().btnTerminate()));

  std::vector<std::string> messages;
  for (const RecordedMessage& message : backend_.Messages()) {
    messages.push_back(message.caption + ": " + message.text);
  }
  EXPECT_EQ(messages, test.messages);
  ASSERT_FALSE(backend_.Messages().empty());
  EXPECT_EQ(backend_.Messages()[0].buttons, ui::MessageButtons::kYesNo);
  EXPECT_EQ(backend_.Messages()[0].icon, ui::MessageIcon::kQuestion);
  EXPECT_EQ(backend_.Messages().back().icon,
            test.terminateFails ? ui::MessageIcon::kExclamation : ui::MessageIcon::kQuestion);
  EXPECT_EQ(processes_.Terminated().size(), test.terminated ? 1u : 0u);
  EXPECT_EQ(ListedRows(), test.rowsAfter);
  EXPECT_EQ(Monitor().btnTerminate().Enabled(), test.buttonAfter);
}

const char* const kQuestion =
    "Warning: Are you sure you want to terminate the process "
    "\"notepad.exe\" ?";

INSTANTIATE_TEST_SUITE_P(
    Answers, TerminateTest,
    ::testing::Values(TerminateCase{"Yes",
                                    ui::MessageResult::kYes,
                                    false,
                                    true,
                                    Rows{{"explorer.exe", "No"}},
                                    {kQuestion},
                                    false},
                      TerminateCase{"No",
                                    ui::MessageResult::kNo,
                                    false,
                                    false,
                                    Rows{{"explorer.exe", "No"}, {"notepad.exe", "No"}},
                                    {kQuestion},
                                    true},
                      TerminateCase{
                          "Failure",
                          ui::MessageResult::kYes,
                          true,
                          false,
                          Rows{{"explorer.exe", "No"}, {"notepad.exe", "No"}},
                          {kQuestion, "Warning: Unable to kill process \"notepad.exe\" !"},
                          true}),
    [](const auto& info) { return std::string(info.param.title); });

// A tick during the question rebuilds the list and drops the selection; Yes still terminates
// the name that was asked about and removes that row, not whatever row sits there now.
TEST_F(ActiveMonitorTest, TerminateAfterATickDuringTheQuestionGoesByTheName) {
  SetAutoTerminate(false);
  processes_.Add(200, "C:\\Windows\\explorer.exe");
  processes_.Add(201, "C:\\Temp\\notepad.exe");
  SwitchOn();
  ASSERT_TRUE(backend_.ClickRow(List(), 1));
  backend_.QueueWhileBoxShown([&] {
    processes_.Add(202, "C:\\Temp\\calc.exe");
    ASSERT_TRUE(backend_.FireTimer(Timer()));
  });
  ASSERT_TRUE(backend_.Click(Monitor().btnTerminate()));

  EXPECT_EQ(processes_.Terminated(), (std::vector<std::uint32_t>{201}));
  EXPECT_EQ(ListedRows(), (Rows{{"calc.exe", "No"}, {"explorer.exe", "No"}}));
  EXPECT_FALSE(Monitor().btnTerminate().Enabled());
}

TEST_F(ActiveMonitorTest, TerminateDoesNothingWithoutASelectedRow) {
  processes_.Add(200, "C:\\Windows\\explorer.exe");
  SwitchOn();
  ASSERT_TRUE(backend_.ClickRow(List(), 0));
  ASSERT_TRUE(backend_.FireTimer(Timer()));  // the refresh drops the selection
  ASSERT_TRUE(Monitor().btnTerminate().Enabled());
  ASSERT_TRUE(backend_.Click(Monitor().btnTerminate()));
  EXPECT_TRUE(backend_.Messages().empty());
  ASSERT_TRUE(backend_.ClickRow(List(), -1));
  EXPECT_FALSE(Monitor().btnTerminate().Enabled());
}

// The interval list's items, read the way their texts put it: characters 5 to 7 without
// spaces, in seconds from index 7, in minutes before.
TEST_F(ActiveMonitorTest, EachIntervalItemSetsTheTimerAndARunningTimerRestarts) {
  ui::ComboBox& combo = form_->Settings().comboSpeed();
  ASSERT_EQ(combo.Items().size(), 9u);
  ASSERT_TRUE(backend_.Click(Control("SettingsBtn")));
  for (int index = 0; index < 9; ++index) {
    std::string digits;
    for (const char c : combo.Items()[index].substr(4, 3)) {
      if (c != ' ') {
        digits += c;
      }
    }
    const unsigned expected = std::stoul(digits) * (index > 6 ? 1000u : 60000u);
    ASSERT_TRUE(backend_.Select(combo, index));
    EXPECT_EQ(Timer().Interval(), expected) << combo.Items()[index];
  }
  EXPECT_FALSE(TimerRuns()) << "a stopped timer stays stopped";

  SwitchOn();
  ASSERT_TRUE(backend_.Click(Control("SettingsBtn")));
  const int starts = backend_.StartCount(Timer());
  ASSERT_TRUE(backend_.Select(combo, 6));
  EXPECT_EQ(backend_.StartCount(Timer()), starts + 1);
  EXPECT_EQ(backend_.StartedInterval(Timer()), 60000u);
}

struct StartCase {
  int restoredItem;
  bool autoStart;
  int itemAfter;
  unsigned interval;
};

class StartTest : public ActiveMonitorTest, public ::testing::WithParamInterface<StartCase> {};

// The timer takes the interval of the options' item, which stays the default one when an item
// outside the list is given, and the first show starts monitoring when the option says so.
TEST_P(StartTest, AppliesTheSelectedIntervalAndStartsWhenConfigured) {
  const StartCase& test = GetParam();
  processes_.Add(200, "C:\\Windows\\explorer.exe");
  form_->UserOptions().Set(Option::kIntervalItem, test.restoredItem);
  form_->UserOptions().Set(Option::kAutoStartMonitor, test.autoStart);
  form_->StartMonitorIfConfigured();
  EXPECT_EQ(form_->Settings().comboSpeed().ItemIndex(), test.itemAfter);
  EXPECT_EQ(Timer().Interval(), test.interval);
  ExpectLook(test.autoStart);
  EXPECT_EQ(List().Count(), test.autoStart ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Items, StartTest,
                         ::testing::Values(StartCase{8, false, 8, 10000},
                                           StartCase{0, true, 0, 3600000},
                                           StartCase{6, true, 6, 60000},
                                           StartCase{9, false, 8, 10000},
                                           StartCase{-1, true, 8, 10000}));

class BrokenPatternTest : public ActiveMonitorTest {
 protected:
  const char* ReferenceText() const override { return "[OtherKill]\nSPY**=Broken\n"; }
};

// A malformed pattern reached during a refresh: the standard error report, then the monitor
// is off, so the failure does not come back at every tick.
TEST_F(BrokenPatternTest, InvalidMaskDuringARefreshReportsAndSwitchesOff) {
  processes_.Add(200, "C:\\Temp\\spyware.exe");
  ClickLink("lblAMEnable");

  ASSERT_EQ(backend_.Messages().size(), 1u);
  EXPECT_EQ(backend_.Messages()[0].text, "Invalid mask.");
  EXPECT_EQ(backend_.Messages()[0].caption, "Nexolant");
  EXPECT_EQ(backend_.Messages()[0].icon, ui::MessageIcon::kError);
  ExpectLook(false);
  EXPECT_EQ(List().Count(), 0);
  EXPECT_FALSE(List().Updating());
}

// What the user does from inside a refresh's pumps. The refresh has one pump per lookup, one
// per process while the list is rebuilt, then one before known processes are terminated.
class RefreshReentryTest : public ActiveMonitorTest {
 protected:
  void SetUp() override {
    ActiveMonitorTest::SetUp();
    processes_.Add(200, "C:\\Windows\\explorer.exe");
    processes_.Add(201, "C:\\Temp\\notepad.exe");
  }

  // Runs action inside the refresh's pump number `pump` (from 1) of the next refresh, and
  // records whether the monitor was on just after it.
  void AtRefreshPump(int pump, std::function<void()> action) {
    backend_.RunAtPump(backend_.PumpCount() + pump, [this, action = std::move(action)] {
      action();
      enabledRightAfter_ = Monitor().MonitoringEnabled();
      rowsRightAfter_ = ListedRows();
    });
  }

  bool enabledRightAfter_ = false;
  Rows rowsRightAfter_;
};

TEST_F(RefreshReentryTest, ATickDuringARefreshIsSkipped) {
  SwitchOn();
  const int starts = backend_.StartCount(Timer());
  bool fired = false;
  AtRefreshPump(3, [&] {
    processes_.Add(202, "C:\\Temp\\calc.exe");
    fired = backend_.FireTimer(Timer());
  });
  ASSERT_TRUE(backend_.FireTimer(Timer()));
  EXPECT_TRUE(fired) << "the timer runs again while known processes are terminated";
  EXPECT_EQ(ListedRows(), (Rows{{"explorer.exe", "No"}, {"notepad.exe", "No"}}));
  EXPECT_EQ(backend_.StartCount(Timer()), starts + 1) << "one refresh restarted the timer";
}

// A click on a link while the list is rebuilt by the first switch-on reads "Enable": the
// user asks for what is happening anyway. A click while known processes are terminated
// reads "Disable" and switches off once the refresh is over.
TEST_F(RefreshReentryTest, ALinkClickTakesEffectWhenTheRefreshEnds) {
  for (const char* link : {"lblAMEnable", "lblEnableDisable"}) {
    SCOPED_TRACE(link);
    AtRefreshPump(1, [&] { ClickLink(link); });
    ClickLink("lblEnableDisable");
    ExpectLook(true);
    EXPECT_FALSE(enabledRightAfter_);

    AtRefreshPump(3, [&] { ClickLink(link); });
    ASSERT_TRUE(backend_.FireTimer(Timer()));
    EXPECT_TRUE(enabledRightAfter_);
    EXPECT_EQ(rowsRightAfter_.size(), 2u);
    ExpectLook(false);
  }
}

TEST_F(RefreshReentryTest, ARowClickAndTerminateTakeEffectWhenTheRefreshEnds) {
  SwitchOn();
  bool buttonRightAfter = true;
  std::size_t messagesRightAfter = 1;
  AtRefreshPump(3, [&] {
    ASSERT_TRUE(backend_.ClickRow(List(), 0));
    buttonRightAfter = Monitor().btnTerminate().Enabled();
  });
  ASSERT_TRUE(backend_.FireTimer(Timer()));
  EXPECT_FALSE(buttonRightAfter);
  EXPECT_TRUE(Monitor().btnTerminate().Enabled());

  ASSERT_TRUE(backend_.ClickRow(List(), 1));
  backend_.QueueAnswer(ui::MessageResult::kYes);
  AtRefreshPump(1, [&] {
    ASSERT_TRUE(backend_.Click(Monitor().btnTerminate()));
    messagesRightAfter = backend_.Messages().size();
  });
  ASSERT_TRUE(backend_.FireTimer(Timer()));
  EXPECT_EQ(messagesRightAfter, 0u);
  // The refresh dropped the selection, so the deferred click finds no row to act on.
  EXPECT_TRUE(backend_.Messages().empty());
  EXPECT_TRUE(processes_.Terminated().empty());
}

TEST_F(RefreshReentryTest, ATerminateClickAfterTheRebuildAsksOnceTheRefreshIsOver) {
  SwitchOn();
  ASSERT_TRUE(backend_.ClickRow(List(), 1));
  std::size_t messagesRightAfter = 1;
  AtRefreshPump(3, [&] {
    ASSERT_TRUE(backend_.ClickRow(List(), 1));
    ASSERT_TRUE(backend_.Click(Monitor().btnTerminate()));
    messagesRightAfter = backend_.Messages().size();
  });
  backend_.QueueAnswer(ui::MessageResult::kYes);
  ASSERT_TRUE(backend_.FireTimer(Timer()));
  EXPECT_EQ(messagesRightAfter, 0u);
  ASSERT_EQ(backend_.Messages().size(), 1u);
  EXPECT_EQ(processes_.Terminated(), (std::vector<std::uint32_t>{201}));
  EXPECT_EQ(ListedRows(), (Rows{{"explorer.exe", "No"}}));
}

// What a click starts from inside a refresh's pumps waits for the refresh to end: a scan, a
// dialog or a question never runs inside it, so the refresh ends before them and the
// monitor's ticks go on while they run.
TEST_F(RefreshReentryTest, OtherClicksDuringARefreshTakeEffectWhenItEnds) {
  struct Case {
    const char* page;     // the button that shows the control
    const char* control;  // clicked inside the refresh
    bool scan;            // it starts a scan, else a dialog
  };
  const Case cases[] = {{"ScanBtn", "btnNext", true},
                        {"StatusBtn", "lblCheckUpdates", false},
                        {"StatusBtn", "btnInfo", false},
                        {"StatusBtn", "btnUpdate", false}};
  SetAutoTerminate(false);
  files_.AddFolder("C:\\Windows");
  processes_.Add(300, "C:\\Temp\\spyproc.exe");
  SwitchOn();
  bool refreshingDuringScan = true;
  form_->ScanFindings().OnAdded = [this, &refreshingDuringScan](const Finding&) {
    refreshingDuringScan = form_->Monitor().Refreshing();
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.control);
    ASSERT_TRUE(backend_.Click(Control(test.page)));
    const std::size_t modals = backend_.Modals().size();
    std::size_t modalsRightAfter = 0;
    const int scans = form_->Statistics().Values().TotalScans;
    int scansRightAfter = -1;
    AtRefreshPump(1, [&] {
      ASSERT_TRUE(backend_.Click(Control(test.control)));
      modalsRightAfter = backend_.Modals().size();
      scansRightAfter = form_->Statistics().Values().TotalScans;
    });
    ASSERT_TRUE(backend_.FireTimer(Timer()));
    EXPECT_EQ(modalsRightAfter, modals);
    if (test.scan) {
      EXPECT_EQ(scansRightAfter, scans);
      EXPECT_EQ(form_->Statistics().Values().TotalScans, scans + 1);
      EXPECT_EQ(Label("lblCurrentFile").Caption(), "Scan Complete.");
      EXPECT_FALSE(refreshingDuringScan);
      form_->BackToStatus();
    } else {
      EXPECT_EQ(backend_.Modals().size(), modals + 1);
    }
  }
  EXPECT_TRUE(TimerRuns());
}

// With rows of one name, Terminate removes the row that was selected: that row when the rows
// stayed as they were during the question, else the row of that name at the same rank among
// the rows of that name once a refresh rebuilt them.
TEST_F(RefreshReentryTest, TerminateRemovesTheChosenRowOfItsName) {
  SetAutoTerminate(false);
  SwitchOn();
  struct Case {
    bool refreshDuringQuestion;
    int removed;
  };
  std::uint32_t id = 300;
  for (const Case test : {Case{false, 3}, Case{true, 4}}) {
    SCOPED_TRACE(test.refreshDuringQuestion);
    for (const char* folder : {"A", "B", "C"}) {
      processes_.Add(id++, std::string("C:\\") + folder + "\\spy.exe");
    }
    ASSERT_TRUE(backend_.FireTimer(Timer()));
    ASSERT_TRUE(backend_.Click(Control("ActiveBtn")));
    ASSERT_TRUE(backend_.ClickRow(List(), 3));
    if (test.refreshDuringQuestion) {
      backend_.QueueWhileBoxShown([this, &id] {
        processes_.Add(id++, "C:\\X\\aaa.exe");
        ASSERT_TRUE(backend_.FireTimer(Timer()));
      });
    }
    backend_.QueueAnswer(ui::MessageResult::kYes);
    ui::RecordingObserver changes;
    form_->SetObserver(&changes);
    ASSERT_TRUE(backend_.Click(Monitor().btnTerminate()));
    form_->SetObserver(nullptr);
    std::vector<int> deleted;
    for (const auto& change : changes.rowChanges) {
      if (change.list == &List() && change.kind == ui::ListChange::Kind::kDeleted) {
        deleted.push_back(change.index);
      }
    }
    EXPECT_EQ(deleted, std::vector<int>{test.removed});
    EXPECT_EQ(List().Count(), static_cast<int>(form_->Monitor().Rows().size()));
  }
}

// Two clicks that reach the window inside a refresh are handed on after it, each asked in
// turn as a real click is: the second meets what the first left (another page, a disabled
// button, an open question or dialog) and does nothing.
TEST_F(RefreshReentryTest, TwoClicksInsideARefreshActOnce) {
  SetAutoTerminate(false);
  files_.AddFile("C:\\Windows\\adware1.exe", "adware");
  files_.AddFile("C:\\Windows\\readme.txt", "text");
  SwitchOn();
  const auto clickTwice = [this](const char* first, const char* second) {
    AtRefreshPump(1, [this, first, second] {
      backend_.Click(Control(first));
      backend_.Click(Control(second));
    });
  };
  const auto questions = [this](const std::string& text) {
    return std::count_if(backend_.Messages().begin(), backend_.Messages().end(),
                         [&text](const RecordedMessage& message) { return message.text == text; });
  };

  ASSERT_TRUE(backend_.Click(Control("ScanBtn")));
  clickTwice("btnNext", "btnNext");
  ASSERT_TRUE(backend_.FireTimer(Timer()));
  EXPECT_EQ(form_->Statistics().Values().TotalScans, 1);
  EXPECT_EQ(form_->ScanFindings().Items().size(), 1u);

  ASSERT_TRUE(backend_.Click(Control("btnStop")));
  ASSERT_EQ(PageIndex(), kReportPage);
  backend_.QueueAnswer(ui::MessageResult::kYes);
  clickTwice("btnCancel", "btnRepair");
  ASSERT_TRUE(backend_.FireTimer(Timer()));
  EXPECT_EQ(PageIndex(), kStatusPage);
  EXPECT_TRUE(files_.FileAttributes("C:\\Windows\\adware1.exe")) << "Repair ran after Cancel";

  // Stop twice inside a refresh that runs inside the scan's file phase.
  bool stopped = false;
  form_->ScanFindings().OnAdded = [&](const Finding&) {
    if (!std::exchange(stopped, true)) {
      clickTwice("btnStop", "btnStop");
      ASSERT_TRUE(backend_.FireTimer(Timer()));
    }
  };
  ASSERT_TRUE(backend_.Click(Control("ScanBtn")));
  ASSERT_TRUE(backend_.Click(Control("btnNext")));
  ASSERT_TRUE(stopped);
  EXPECT_EQ(PageIndex(), kScanningPage) << "the second Stop acted on the scan's end";
  EXPECT_EQ(Control("btnStop").Caption(), "Report");
  form_->ScanFindings().OnAdded = nullptr;
  ASSERT_TRUE(backend_.Click(Control("btnStop")));
  ASSERT_TRUE(backend_.Click(Control("btnRepair")));
  ASSERT_EQ(form_->Statistics().Values().ObjectsQuarantined, 1);

  ASSERT_TRUE(backend_.Click(Control("QuarantineBtn")));
  clickTwice("btnEmpty", "btnEmpty");
  ASSERT_TRUE(backend_.FireTimer(Timer()));
  EXPECT_EQ(questions("Are you sure you want to empty the quarantine?"), 1);
  EXPECT_EQ(form_->Statistics().Values().ObjectsQuarantined, 0);

  ASSERT_TRUE(backend_.Click(Control("StatusBtn")));
  const std::size_t modals = backend_.Modals().size();
  clickTwice("btnInfo", "btnInfo");
  ASSERT_TRUE(backend_.FireTimer(Timer()));
  EXPECT_EQ(backend_.Modals().size(), modals + 1);
  EXPECT_TRUE(TimerRuns());
}

// A close asked for inside a refresh stops the timer; neither the rest of the refresh nor
// the end of a scan starts it again.
TEST_F(RefreshReentryTest, ACloseRequestDuringARefreshKeepsTheTimerOff) {
  SwitchOn();
  AtRefreshPump(1, [&] { application_.RequestClose(*form_); });
  ASSERT_TRUE(backend_.FireTimer(Timer()));
  EXPECT_FALSE(TimerRuns());
  EXPECT_TRUE(form_->Closed());
  form_->SyncTimerWithMonitoring();
  EXPECT_FALSE(TimerRuns());
}

}  // namespace
}  // namespace nexolant
