#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "quarantine/quarantine_world.h"
#include "registry/registration_format.h"
#include "settings/run_entry.h"

namespace nexolant {
namespace {

// A profile named in letters the code page lacks ("张三"), which its ANSI spelling shows as "?".
const platform::Path kExactFolder("C:\\Users\\??\\Nexolant\\",
                                  "C:\\Users\\\xE5\xBC\xA0\xE4\xB8\x89\\Nexolant\\");

// The program reaches every file of its folder through the folder's exact spelling: its
// reference, the quarantine, the Run value, the help and its settings; nothing lands in a
// folder of the ANSI spelling.
TEST(ExactProgramFolder, KeepsEveryFileOfTheProgramThroughItsExactSpelling) {
  QuarantineWorld world("[ScanFiles]\nevil.exe=Evil file\n", kExactFolder);
  world.files.AddFile("C:\\Bad\\evil.exe", "payload");
  world.Start();
  EXPECT_EQ(world.Caption("lblRefStatus"), "Reference file has been loaded successfully");

  world.ScanFolder("C:\\Bad");
  ASSERT_EQ(world.Report().Count(), 1);
  ASSERT_TRUE(world.Repair());
  EXPECT_EQ(world.files.Contents(kExactFolder + "Quarantine\\evil.exe"), "payload");
  EXPECT_EQ(world.Index(), (std::map<std::string, std::string>{{"evil.exe", "C:\\Bad"}}));
  world.Restart();
  EXPECT_EQ(world.Rows(), std::vector<std::string>{"evil.exe|Evil file|C:\\Bad"});
  ASSERT_TRUE(world.Restore("evil.exe"));
  EXPECT_EQ(world.files.Contents("C:\\Bad\\evil.exe"), "payload");
  EXPECT_FALSE(world.files.FileAttributes(kExactFolder + "Quarantine"));

  world.backend.QueueInMainLoop([&] {
    world.Click("SettingsBtn");
    EXPECT_TRUE(world.backend.SetChecked(world.form->Settings().chkStartup(), true));
    EXPECT_TRUE(world.backend.SetChecked(world.form->Settings().chkMinimize(), false));
    world.Click("HelpBtn");
  });
  world.application.Run(*world.form);
  world.form.reset();

  const platform::OpenedKey run = world.registry.OpenKey(platform::RegistryRoot::kCurrentUser,
                                                         kRunKey, platform::RegistryAccess::kRead);
  ASSERT_TRUE(run);
  std::string quoted;
  registration::AppendUtf16(quoted, u"\"C:\\Users\\\u5F20\u4E09\\Nexolant\\Nexolant.exe\"");
  EXPECT_EQ(world.registry.ReadValueWide(*run, u"Nexolant").bytes, quoted + std::string(2, '\0'));
  EXPECT_EQ(world.shell.Opened(), std::vector<platform::Path>{kExactFolder + "Nexolant.chm"});
  const std::optional<std::string> settings = world.files.Contents(kExactFolder + "Nexolant.ini");
  ASSERT_TRUE(settings);
  EXPECT_NE(settings->find("chkMinimize_Checked=False"), std::string::npos) << *settings;
  EXPECT_NE(settings->find("[General]"), std::string::npos) << *settings;
  EXPECT_FALSE(world.files.FileAttributes(kExactFolder.ansi));
}

}  // namespace
}  // namespace nexolant
