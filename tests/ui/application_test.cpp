#include "ui/application.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "support/scripted_backend.h"
#include "ui/button.h"
#include "ui/timer.h"

namespace nexolant::ui {
namespace {

TEST(ErrorReportText, AppendsAPeriodOnlyAfterCharactersThatSortAfterIt) {
  EXPECT_EQ(ErrorReportText("Invalid mask"), "Invalid mask.");
  EXPECT_EQ(ErrorReportText("Done."), "Done.");
  EXPECT_EQ(ErrorReportText("Why?"), "Why?.");
  EXPECT_EQ(ErrorReportText("Stop!"), "Stop!");
  EXPECT_EQ(ErrorReportText("path\\"), "path\\.");
  EXPECT_EQ(ErrorReportText("a-"), "a-");
  EXPECT_EQ(ErrorReportText("a,"), "a,");
  EXPECT_EQ(ErrorReportText("caf\xE9"), "caf\xE9.");
  EXPECT_EQ(ErrorReportText(""), "");
}

class ApplicationTest : public ::testing::Test {
 protected:
  ScriptedBackend backend_;
  Application app_{backend_};
};

TEST_F(ApplicationTest, AFailureEscapingAHandlerBecomesTheStandardErrorReport) {
  struct Case {
    std::function<void()> handler;
    std::string text;
  };
  const Case cases[] = {
      {[] { throw std::runtime_error("Invalid mask"); }, "Invalid mask."},
      {[] { throw std::out_of_range("List index out of bounds (3)"); },
       "List index out of bounds (3)"},
      {[] { throw std::runtime_error("Access denied."); }, "Access denied."},
      {[] { throw 42; }, "Unexpected failure."},
  };
  for (const Case& each : cases) {
    EXPECT_FALSE(app_.RunHandler(each.handler));
  }
  EXPECT_TRUE(app_.RunHandler([] {}));

  ASSERT_EQ(backend_.Messages().size(), std::size(cases));
  for (std::size_t index = 0; index < std::size(cases); ++index) {
    const RecordedMessage& message = backend_.Messages()[index];
    EXPECT_EQ(message.text, cases[index].text);
    EXPECT_EQ(message.caption, "Nexolant");
    EXPECT_EQ(message.buttons, MessageButtons::kOk);
    EXPECT_EQ(message.icon, MessageIcon::kError);
  }
}

TEST_F(ApplicationTest, ClicksDispatchedByTheBackendNeverLetAFailureThrough) {
  Form form("MainForm");
  Button& next = form.Add<Button>("btnNext");
  next.OnClick = [](Control&) { throw std::runtime_error("Invalid mask"); };
  app_.SetTitle("Title");

  EXPECT_TRUE(backend_.Click(next));
  ASSERT_EQ(backend_.Messages().size(), 1u);
  EXPECT_EQ(backend_.Messages()[0].text, "Invalid mask.");
  EXPECT_EQ(backend_.Messages()[0].caption, "Title");
}

TEST_F(ApplicationTest, RunGoesThroughTheLifecycleOfTheMainForm) {
  Form form("MainForm");
  std::vector<std::string> log;
  form.OnCreate = [&](Form&) { log.push_back("create"); };
  form.OnShow = [&](Form& sender) {
    log.push_back(std::string("show, visible ") + (sender.Visible() ? "yes" : "no"));
  };
  form.OnClose = [&](Form&) { log.push_back("close"); };
  form.OnDestroy = [&](Form&) { log.push_back("destroy"); };
  backend_.QueueInMainLoop([&] {
    log.push_back(std::string("loop, realised ") +
                  (backend_.RealisedForms() == std::vector<Form*>{&form} ? "yes" : "no") +
                  ", visible " + (form.Visible() ? "yes" : "no"));
  });

  app_.CreateForm(form);
  app_.Run(form);
  EXPECT_EQ(log, (std::vector<std::string>{"create", "show, visible no",
                                           "loop, realised yes, visible yes", "close", "destroy"}));
  EXPECT_TRUE(form.Closed());
  EXPECT_FALSE(form.Visible());
  EXPECT_TRUE(backend_.RealisedForms().empty());
}

TEST_F(ApplicationTest, AFailingLifecycleHandlerIsReportedAndTheNextStepsStillRun) {
  Form form("MainForm");
  std::vector<std::string> log;
  form.OnCreate = [&](Form&) { throw std::runtime_error("Cannot open file"); };
  form.OnShow = [&](Form&) { log.push_back("show"); };
  form.OnDestroy = [&](Form&) { log.push_back("destroy"); };

  app_.Run(form);
  EXPECT_EQ(log, (std::vector<std::string>{"show", "destroy"}));
  ASSERT_EQ(backend_.Messages().size(), 1u);
  EXPECT_EQ(backend_.Messages()[0].text, "Cannot open file.");
}

TEST_F(ApplicationTest, AMainLoopEndsWhenAHandlerClosesTheForm) {
  Form form("MainForm");
  int actions = 0;
  backend_.QueueInMainLoop([&] {
    ++actions;
    form.Close();
  });
  backend_.QueueInMainLoop([&] { ++actions; });
  app_.Run(form);
  EXPECT_EQ(actions, 1);
}

// A close asked for from a pump inside a handler (the user closes the window during a scan)
// waits until the outermost handler has returned; only OnCloseRequest runs at once.
TEST_F(ApplicationTest, ACloseAskedForInsideAPumpWaitsForTheOutermostHandler) {
  Form form("MainForm");
  std::vector<std::string> log;
  form.OnCloseRequest = [&](Form&) { log.push_back("request"); };
  form.OnClose = [&](Form&) { log.push_back("close"); };
  backend_.QueueInMainLoop([&] {
    app_.RunHandler([&] {
      app_.ProcessMessages();
      log.push_back("nested handler ends");
    });
    app_.RequestClose(form);  // a second request while one waits changes nothing
    app_.ProcessMessages();
    log.push_back(form.Closed() ? "closed inside the handler" : "still open in the handler");
  });
  backend_.RunAtPump(1, [&] { app_.RequestClose(form); });
  app_.Run(form);
  EXPECT_EQ(log, (std::vector<std::string>{"request", "nested handler ends",
                                           "still open in the handler", "close"}));
  EXPECT_TRUE(form.Closed());
}

TEST_F(ApplicationTest, ACloseAskedForOutsideAnyHandlerOrOfAModalFormHappensAtOnce) {
  Form form("MainForm");
  int closes = 0;
  form.OnClose = [&](Form&) { ++closes; };
  app_.RequestClose(form);
  EXPECT_TRUE(form.Closed());
  app_.RequestClose(form);
  EXPECT_EQ(closes, 1);

  Form dialog("AboutForm");
  backend_.QueueModal([&](Form& shown) {
    app_.RequestClose(shown);
    EXPECT_EQ(shown.ModalResult(), ModalResult::kCancel) << "a modal form closes inside its loop";
  });
  app_.ShowModal(dialog);
}

TEST_F(ApplicationTest, AModalFormRunsItsScriptAndReturnsItsResult) {
  Form dialog("UpdateForm");
  dialog.SetCaption("Update");
  Button& finish = dialog.Add<Button>("btnUpdate");
  finish.OnClick = [&](Control&) { dialog.SetModalResult(ModalResult::kOk); };
  int shows = 0;
  dialog.OnShow = [&](Form&) { ++shows; };
  bool visibleInside = false;
  backend_.QueueModal([&](Form& form) {
    visibleInside = form.Visible() && form.Modal();
    backend_.Click(finish);
  });
  backend_.QueueModalResult(ModalResult::kOk);

  EXPECT_EQ(app_.ShowModal(dialog), ModalResult::kOk);
  EXPECT_TRUE(visibleInside);
  EXPECT_FALSE(dialog.Visible());
  EXPECT_FALSE(dialog.Modal());
  EXPECT_TRUE(backend_.RealisedForms().empty());

  // A second show starts without a result and runs OnShow no more.
  EXPECT_EQ(app_.ShowModal(dialog), ModalResult::kOk);
  EXPECT_EQ(shows, 1);
  ASSERT_EQ(backend_.Modals().size(), 2u);
  EXPECT_EQ(backend_.Modals()[0].formName, "UpdateForm");
  EXPECT_EQ(backend_.Modals()[0].caption, "Update");
  EXPECT_EQ(backend_.Modals()[0].result, ModalResult::kOk);
}

TEST_F(ApplicationTest, AModalFormLeftOpenIsClosedAsByItsCloseBox) {
  Form dialog("AboutForm");
  int closes = 0;
  dialog.OnClose = [&](Form&) { ++closes; };
  EXPECT_EQ(app_.ShowModal(dialog), ModalResult::kCancel);
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(dialog.Closed()) << "closing a modal form only ends its loop";

  // Even a form that refuses to close ends the script.
  dialog.OnCloseQuery = [](Form&, bool& canClose) { canClose = false; };
  EXPECT_EQ(app_.ShowModal(dialog), ModalResult::kCancel);
  EXPECT_EQ(closes, 1);
}

TEST_F(ApplicationTest, ByDefaultAModalFormWaitsForItsTimers) {
  // The splash: a timer closes the form.
  Form splash("SplashForm");
  Timer timer(app_);
  timer.SetInterval(3000);
  timer.OnTimer = [&](Timer&) { splash.Close(); };
  int closes = 0;
  splash.OnClose = [&](Form&) { ++closes; };
  splash.OnCreate = [&](Form&) { timer.SetEnabled(true); };

  EXPECT_EQ(app_.ShowModal(splash), ModalResult::kCancel);
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(backend_.StartedInterval(timer), 3000u);
}

TEST_F(ApplicationTest, ModalFormsNestAndAFailureInsideOneIsReportedThere) {
  Form main("MainForm");
  Button& info = main.Add<Button>("btnInfo");
  Form about("AboutForm");
  Button& ok = about.Add<Button>("HelpBtn");
  ok.OnClick = [&](Control&) {
    about.Close();
    throw std::runtime_error("Late failure");
  };
  info.OnClick = [&](Control&) { app_.ShowModal(about); };
  std::vector<std::size_t> realisedInside;
  backend_.QueueModal([&](Form&) {
    realisedInside.push_back(backend_.RealisedForms().size());
    backend_.Click(ok);
  });
  backend_.QueueInMainLoop([&] { backend_.Click(info); });

  app_.Run(main);
  EXPECT_EQ(realisedInside, std::vector<std::size_t>{2});
  ASSERT_EQ(backend_.Modals().size(), 1u);
  EXPECT_EQ(backend_.Modals()[0].result, ModalResult::kCancel);
  ASSERT_EQ(backend_.Messages().size(), 1u);
  EXPECT_EQ(backend_.Messages()[0].text, "Late failure.");
}

TEST_F(ApplicationTest, ABackendWithoutWindowsShowsNoForms) {
  RecordingBackend windowless;
  Application app(windowless);
  Form form("form");
  EXPECT_THROW(app.ShowModal(form), std::logic_error);
  EXPECT_FALSE(form.Visible());
}

// The INI engine and the matcher see the application only as a pump and a warning sink.
TEST_F(ApplicationTest, AsPumpAndWarningSinkItPumpsTheBackendAndShowsAnExclamationBox) {
  platform::MessagePump& pump = app_;
  platform::WarningSink& warnings = app_;
  pump.ProcessMessages();
  EXPECT_EQ(backend_.PumpCount(), 1);

  warnings.ShowWarning("Cannot write.", "Warning");
  ASSERT_EQ(backend_.Messages().size(), 1u);
  const RecordedMessage& message = backend_.Messages()[0];
  EXPECT_EQ(message.text, "Cannot write.");
  EXPECT_EQ(message.caption, "Warning");
  EXPECT_EQ(message.buttons, MessageButtons::kOk);
  EXPECT_EQ(message.icon, MessageIcon::kExclamation);
}

TEST_F(ApplicationTest, ApplicationEventsAndWindowOperationsGoThroughTheBackend) {
  std::vector<std::string> log;
  app_.OnMinimize = [&] { log.push_back("minimize"); };
  app_.OnRestore = [&] {
    log.push_back("restore");
    throw std::runtime_error("Restore failed");
  };
  app_.OnEndSession = [&] { log.push_back("end session"); };
  backend_.Minimize();
  backend_.RestoreFromTaskbar();
  backend_.EndSession();
  EXPECT_EQ(log, (std::vector<std::string>{"minimize", "restore", "end session"}));
  EXPECT_EQ(backend_.Messages().size(), 1u);

  app_.ShowTaskbarButton(false);
  EXPECT_FALSE(backend_.TaskbarButtonVisible());
  app_.Restore();
  app_.BringToFront();
  EXPECT_EQ(backend_.RestoreCount(), 1);
  EXPECT_EQ(backend_.BringToFrontCount(), 1);

  const HintStyle style{true, 2, false, true};
  app_.SetHintStyle(style);
  EXPECT_EQ(app_.GetHintStyle(), style);
  EXPECT_EQ(backend_.AppliedHintStyle(), style);
}

}  // namespace
}  // namespace nexolant::ui
