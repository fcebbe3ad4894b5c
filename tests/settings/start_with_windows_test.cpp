#include <optional>
#include <string>

#include "app/main_form_fixture.h"
#include "settings/run_entry.h"

namespace nexolant {
namespace {

using platform::RegistryRoot;

constexpr const char* kExecutable = "C:\\Program Files\\Nexolant\\Nexolant.exe";

// "Start with Windows" over an in-memory registry, across runs of the program.
class StartWithWindowsTest : public MainFormTest {
 protected:
  StartWithWindowsTest() { PutReference("[ScanFiles]\nA.EXE=Bad\n"); }

  // One run: start, the action in the main loop, close.
  void RunProgram(std::function<void(ui::CheckBox& box)> action) {
    Create();
    backend_.QueueInMainLoop([&] {
      backend_.Click(Side("SettingsBtn"));
      action(form_->Settings().chkStartup());
    });
    application_.Run(*form_);
    form_.reset();
  }

  std::optional<std::string> RunValue() const {
    if (!registry_.HasKey(RegistryRoot::kCurrentUser, kRunKey)) {
      return std::nullopt;
    }
    const auto value = registry_.Value(RegistryRoot::kCurrentUser, kRunKey, kRunValue);
    if (!value) {
      return std::nullopt;
    }
    EXPECT_EQ(value->type, platform::kRegString);
    return value->data;
  }
};

// The monitor's start at the first show fails on a malformed pattern: the failure is reported
// and the box still shows the entry.
TEST_F(StartWithWindowsTest, TheBoxShowsTheEntryAlsoWhenTheMonitorFailsToStart) {
  PutReference("[OtherKill]\nSPY**=Broken\n");
  processes_.Add(200, "C:\\Apps\\spyware.exe");
  RunProgram([&](ui::CheckBox& box) {
    EXPECT_TRUE(backend_.SetChecked(box, true));
    EXPECT_TRUE(backend_.SetChecked(form_->Settings().chkAutoStartMonitor(), true));
  });
  RunProgram([&](ui::CheckBox& box) { EXPECT_TRUE(box.Checked()); });
  ASSERT_EQ(backend_.Messages().size(), 1u);
  EXPECT_EQ(backend_.Messages()[0].text, "Invalid mask.");
}

TEST_F(StartWithWindowsTest, TickingAddsTheEntryWhichLaterStartsShowAndKeep) {
  RunProgram([&](ui::CheckBox& box) {
    EXPECT_FALSE(box.Checked());
    EXPECT_FALSE(RunValue()) << "a start writes nothing";
    EXPECT_TRUE(backend_.SetChecked(box, true));
  });
  std::string stored = "\"";
  stored.append(kExecutable).append("\"").push_back('\0');
  EXPECT_EQ(RunValue(), stored) << "the full path in quotes, with its terminating zero";

  RunProgram([&](ui::CheckBox& box) { EXPECT_TRUE(box.Checked()); });
  EXPECT_EQ(RunValue(), stored);

  RunProgram([&](ui::CheckBox& box) { EXPECT_TRUE(backend_.SetChecked(box, false)); });
  EXPECT_FALSE(RunValue());
  RunProgram([&](ui::CheckBox& box) { EXPECT_FALSE(box.Checked()); });
  EXPECT_TRUE(backend_.Messages().empty());
}

TEST_F(StartWithWindowsTest, AnEntryWithAnotherPathIsShownAndLeftAloneUntilUntickedByHand) {
  registry_.SetValue(RegistryRoot::kCurrentUser, kRunKey, kRunValue, platform::kRegString,
                     std::string("D:\\Old\\Nexolant.exe\0", 21));
  RunProgram([&](ui::CheckBox& box) { EXPECT_TRUE(box.Checked()); });
  EXPECT_EQ(RunValue(), std::string("D:\\Old\\Nexolant.exe\0", 21));

  AddRunEntry(registry_, kExecutable);
  EXPECT_EQ(RunValue(), std::string("D:\\Old\\Nexolant.exe\0", 21)) << "an existing value stays";

  RunProgram([&](ui::CheckBox& box) { EXPECT_TRUE(backend_.SetChecked(box, false)); });
  EXPECT_FALSE(RunValue());
}

TEST_F(StartWithWindowsTest, ARunKeyThatRefusesWritesIsReportedAndTheBoxTellsTheTruth) {
  registry_.AddKey(RegistryRoot::kCurrentUser, kRunKey);
  registry_.DenyFullAccess(RegistryRoot::kCurrentUser, kRunKey);
  RunProgram([&](ui::CheckBox& box) {
    EXPECT_TRUE(backend_.SetChecked(box, true));
    EXPECT_TRUE(box.Checked());
  });
  ASSERT_EQ(backend_.Messages().size(), 1u);
  EXPECT_EQ(backend_.Messages()[0].text, "Failed to set data for 'Nexolant'");
  EXPECT_EQ(backend_.Messages()[0].caption, "Nexolant");
  EXPECT_FALSE(RunValue());

  registry_.SetValue(RegistryRoot::kCurrentUser, kRunKey, kRunValue, platform::kRegString,
                     std::string(kExecutable) + '\0');
  RunProgram([&](ui::CheckBox& box) {
    EXPECT_TRUE(backend_.SetChecked(box, false));
    EXPECT_TRUE(box.Checked()) << "the value could not be removed";
  });
  EXPECT_TRUE(RunValue());
}

}  // namespace
}  // namespace nexolant
