#include "ui/timer.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "support/scripted_backend.h"
#include "ui/application.h"
#include "ui/button.h"

namespace nexolant::ui {
namespace {

class TimerTest : public ::testing::Test {
 protected:
  ScriptedBackend backend_;
  Application app_{backend_};
};

TEST_F(TimerTest, ATimerRunsOnlyWhileEnabledWithAnInterval) {
  Timer timer(app_);
  int ticks = 0;
  timer.OnTimer = [&](Timer&) { ++ticks; };
  EXPECT_FALSE(timer.Running());
  EXPECT_FALSE(backend_.FireTimer(timer));

  timer.SetInterval(0);
  timer.SetEnabled(true);
  EXPECT_FALSE(backend_.IsRunning(timer));
  timer.SetInterval(30000);
  EXPECT_TRUE(backend_.IsRunning(timer));
  EXPECT_TRUE(backend_.FireTimer(timer));
  EXPECT_EQ(ticks, 1);

  timer.SetEnabled(false);
  EXPECT_FALSE(backend_.IsRunning(timer));
  EXPECT_FALSE(backend_.FireTimer(timer));
  timer.Tick();
  EXPECT_EQ(ticks, 1) << "a stopped timer does not tick";
}

TEST_F(TimerTest, ANewIntervalRestartsARunningTimerAtOnce) {
  Timer timer(app_);
  timer.SetInterval(30000);
  timer.SetEnabled(true);
  timer.SetInterval(60000);
  EXPECT_EQ(backend_.StartCount(timer), 2);
  EXPECT_EQ(backend_.StartedInterval(timer), 60000u);

  timer.SetInterval(60000);
  EXPECT_EQ(backend_.StartCount(timer), 2);

  // A stopped timer keeps its interval for later.
  timer.SetEnabled(false);
  timer.SetInterval(10000);
  EXPECT_EQ(backend_.StartCount(timer), 2);
  timer.SetEnabled(true);
  EXPECT_EQ(backend_.StartedInterval(timer), 10000u);
}

TEST_F(TimerTest, ADestroyedTimerIsStopped) {
  auto timer = std::make_unique<Timer>(app_);
  timer->SetEnabled(true);
  const Timer* address = timer.get();
  timer.reset();
  EXPECT_FALSE(backend_.IsRunning(*address));
}

TEST_F(TimerTest, TicksRunInsidePumpsAndFailuresGoToTheErrorReport) {
  Timer monitor(app_);
  monitor.SetEnabled(true);
  int refreshes = 0;
  monitor.OnTimer = [&](Timer&) {
    ++refreshes;
    throw std::runtime_error("Refresh failed");
  };
  Form form("MainForm");
  Button& stop = form.Add<Button>("btnStop");
  bool stopRequested = false;
  stop.OnClick = [&](Control&) { stopRequested = true; };
  backend_.RunAtPump(2, [&] { backend_.FireRunningTimers(); });
  backend_.RunAtPump(3, [&] { backend_.Click(stop); });

  // A long loop that pumps at each step, as the scan does.
  int steps = 0;
  while (!stopRequested && steps < 10) {
    ++steps;
    app_.ProcessMessages();
  }
  EXPECT_EQ(steps, 3);
  EXPECT_EQ(refreshes, 1);
  ASSERT_EQ(backend_.Messages().size(), 1u);
  EXPECT_EQ(backend_.Messages()[0].text, "Refresh failed.");
}

TEST_F(TimerTest, ATickThatStopsAnotherTimerKeepsItFromFiring) {
  Timer first(app_);
  Timer second(app_);
  int secondTicks = 0;
  first.OnTimer = [&](Timer&) { second.SetEnabled(false); };
  second.OnTimer = [&](Timer&) { ++secondTicks; };
  first.SetEnabled(true);
  second.SetEnabled(true);
  backend_.FireRunningTimers();
  EXPECT_EQ(secondTicks, 0);
}

}  // namespace
}  // namespace nexolant::ui
