#include <string>

#include "app/main_form.h"
#include "main_form_fixture.h"

namespace nexolant {
namespace {

// The user closes the window while a handler pumps (a scan, a repair): the monitor's timer
// stops at once, and the window closes and frees its state only when the handler is over.
TEST_F(MainFormTest, ACloseDuringAPumpingHandlerWaitsForItAndStopsTheMonitorTimer) {
  PutReference("[ScanFiles]\nA.EXE=Bad\n");
  TMainForm& form = Create();
  ui::Timer& timer = form.ActiveMonitoring().ProcessTimer();
  bool timerRanAfterRequest = true;
  bool closedInside = true;
  std::size_t patternsAfterRequest = 0;
  backend_.QueueInMainLoop([&] {
    timer.SetEnabled(true);
    application_.ProcessMessages();  // the user asks to close here
    timerRanAfterRequest = backend_.IsRunning(timer);
    closedInside = form.Closed();
    patternsAfterRequest = form.Tables().ScanFileNames.size();
  });
  backend_.RunAtPump(backend_.PumpCount() + 1, [&] { application_.RequestClose(form); });
  application_.Run(form);

  EXPECT_FALSE(timerRanAfterRequest);
  EXPECT_FALSE(closedInside);
  EXPECT_EQ(patternsAfterRequest, 1u) << "the tables outlive the handler";
  EXPECT_TRUE(form.Closed());
}

}  // namespace
}  // namespace nexolant
