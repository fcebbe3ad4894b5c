#include <string>
#include <vector>

#include "app/main_form.h"
#include "main_form_fixture.h"

namespace nexolant {
namespace {

std::vector<std::string> Names(const std::vector<ui::Control*>& controls) {
  std::vector<std::string> names;
  for (const ui::Control* control : controls) {
    names.push_back(control->Name());
  }
  return names;
}

// Tab runs through the shown page in its layout order (the Settings page numbers it), then
// the left column and the right column, top to bottom; what is disabled or hidden is skipped.
TEST_F(MainFormTest, TabRunsThroughTheShownPageThenTheButtonColumns) {
  TMainForm& form = Create();
  ASSERT_TRUE(backend_.Click(Control("SettingsBtn")));
  const std::vector<std::string> columns{"StatusBtn",     "ScanBtn",   "ActiveBtn", "SettingsBtn",
                                         "QuarantineBtn", "HelpBtn",   "btnScan",   "btnSettings",
                                         "btnQuarantine", "btnUpdate", "btnInfo",   "btnHelp"};
  std::vector<std::string> settings{"chkStartup",     "chkMinimize",      "chkQuarantine",
                                    "chkDeepScanReg", "chkAutoTerminate", "chkAutoStartMonitor",
                                    "comboSpeed",     "chkScanStartup",   "chkKeepLog"};
  settings.insert(settings.end(), columns.begin(), columns.end());
  EXPECT_EQ(Names(form.TabOrder()), settings);

  EXPECT_EQ(form.NextTabStop(&Control("chkStartup"), false)->Name(), "chkMinimize");
  EXPECT_EQ(form.NextTabStop(&Control("chkStartup"), true)->Name(), "btnHelp");
  EXPECT_EQ(form.NextTabStop(&Control("btnHelp"), false)->Name(), "chkStartup");
  EXPECT_EQ(form.NextTabStop(nullptr, false)->Name(), "chkStartup");

  form.LockNavigation();
  ASSERT_TRUE(backend_.Click(Control("HelpBtn")));
  EXPECT_EQ(
      Names(form.TabOrder()),
      (std::vector<std::string>{"chkStartup", "chkMinimize", "chkQuarantine", "chkDeepScanReg",
                                "chkAutoTerminate", "chkAutoStartMonitor", "comboSpeed",
                                "chkScanStartup", "chkKeepLog", "HelpBtn", "btnHelp"}));
}

}  // namespace
}  // namespace nexolant
