#include <string>
#include <vector>

#include "scan/scan_fixture.h"

namespace nexolant {
namespace {

using platform::RegistryRoot;
using Strings = std::vector<std::string>;

class RegistryScanTest : public ScanTest {
 protected:
  void SetUp() override {
    Start();
    SetDeepScan(false);
    form_->UserOptions().Set(Option::kScanStartupEntries, 0);
    files_.AddFile("C:\\Scan\\clean.txt");
    registry_.AddKey(RegistryRoot::kClassesRoot, ".txt");
    registry_.AddKey(RegistryRoot::kClassesRoot, "EvilKey\\Inner\\EvilTwoSub");
    registry_.AddKey(RegistryRoot::kClassesRoot, "EvilKey\\EvilOneSub");
    registry_.SetValue(RegistryRoot::kClassesRoot, ".txt", "EvilKey", platform::kRegString, "x");
    registry_.AddKey(RegistryRoot::kCurrentUser, "Software\\EvilKey");
    registry_.AddKey(RegistryRoot::kLocalMachine, "EvilKey");
    registry_.AddKey(RegistryRoot::kUsers, "EvilKey");
  }

  // The registry keys lblCurrentFile showed, in order.
  Strings Examined() const {
    Strings keys;
    for (const std::string& shown : Shown()) {
      if (shown.starts_with("HKEY_")) {
        keys.push_back(shown);
      }
    }
    return keys;
  }
};

// All subkeys of a key are examined before any of them is entered; a matched key is entered
// like any other; values are never examined; each key is opened once.
TEST_F(RegistryScanTest, WalksTheClassesRootOnlyWithoutDeepScanning) {
  const int opened = registry_.OpenCount();
  ScanFolder("C:\\Scan");
  EXPECT_EQ(registry_.OpenCount() - opened, 6) << "the root and five keys";
  EXPECT_EQ(Examined(),
            (Strings{"HKEY_CLASSES_ROOT\\.txt", "HKEY_CLASSES_ROOT\\EvilKey",
                     "HKEY_CLASSES_ROOT\\EvilKey\\EvilOneSub", "HKEY_CLASSES_ROOT\\EvilKey\\Inner",
                     "HKEY_CLASSES_ROOT\\EvilKey\\Inner\\EvilTwoSub"}));
  EXPECT_EQ(Rows(), (Strings{"EvilKey|HKEY_CLASSES_ROOT|Evil key",
                             "EvilOneSub|HKEY_CLASSES_ROOT\\EvilKey|Evil subkey",
                             "EvilTwoSub|HKEY_CLASSES_ROOT\\EvilKey\\Inner|Evil subkey"}));
  // One file, then five keys.
  EXPECT_EQ(Label("lblOS").Caption(), "6");
  EXPECT_EQ(Label("lblRI").Caption(), "3");
  EXPECT_FALSE(Scan().Flags().RegistryScanRunning);
}

// Keys below a name the code page cannot hold are walked too; such a name shows as the
// system's conversion shows it.
TEST_F(RegistryScanTest, DeepScanningWalksTheThreeHivesInOrder) {
  SetDeepScan(true);
  ASSERT_TRUE(registry_.CreateKeyWide(RegistryRoot::kCurrentUser,
                                      u"Software\\\u0416\u0443\u043A\\EvilKey",
                                      platform::RegistryAccess::kFull));
  ScanFolder("C:\\Scan");
  EXPECT_EQ(Rows(), (Strings{"EvilKey|HKEY_CLASSES_ROOT|Evil key",
                             "EvilOneSub|HKEY_CLASSES_ROOT\\EvilKey|Evil subkey",
                             "EvilTwoSub|HKEY_CLASSES_ROOT\\EvilKey\\Inner|Evil subkey",
                             "EvilKey|HKEY_CURRENT_USER\\Software|Evil key",
                             "EvilKey|HKEY_CURRENT_USER\\Software\\???|Evil key",
                             "EvilKey|HKEY_LOCAL_MACHINE|Evil key"}));
}

TEST_F(RegistryScanTest, AStopInTheClassesRootSkipsTheOtherHives) {
  SetDeepScan(true);
  StopWhenShowing("HKEY_CLASSES_ROOT\\.txt");
  ScanFolder("C:\\Scan");
  EXPECT_EQ(Examined(), (Strings{"HKEY_CLASSES_ROOT\\.txt"}));
  EXPECT_TRUE(Rows().empty());
  EXPECT_EQ(StopButton().Caption(), "Finish");
  EXPECT_FALSE(Scan().Flags().StopRequested || Scan().Flags().RegistryScanRunning);
}

// Listing needs only read access: keys that refuse full access are walked all the same.
TEST_F(RegistryScanTest, WalksKeysThatAllowOnlyReading) {
  registry_.DenyFullAccess(RegistryRoot::kClassesRoot, "EvilKey");
  registry_.DenyFullAccess(RegistryRoot::kClassesRoot, "EvilKey\\Inner");
  ScanFolder("C:\\Scan");
  EXPECT_EQ(Rows().size(), 3u);
  EXPECT_EQ(registry_.OpenKeyCount(), 0);
}

// A link is listed and matched by its own name but never entered: a link to an ancestor
// cannot make the walk endless, and a tree reached through a link is not reported twice.
TEST_F(RegistryScanTest, NeverWalksThroughALink) {
  SetDeepScan(true);
  registry_.AddLink(RegistryRoot::kCurrentUser, "Software\\Loop", RegistryRoot::kCurrentUser,
                    "Software");
  registry_.AddLink(RegistryRoot::kLocalMachine, "Shortcut", RegistryRoot::kCurrentUser,
                    "Software");
  registry_.AddLink(RegistryRoot::kLocalMachine, "EvilLinkSub", RegistryRoot::kLocalMachine, "");
  ScanFolder("C:\\Scan");
  EXPECT_EQ(Rows(), (Strings{"EvilKey|HKEY_CLASSES_ROOT|Evil key",
                             "EvilOneSub|HKEY_CLASSES_ROOT\\EvilKey|Evil subkey",
                             "EvilTwoSub|HKEY_CLASSES_ROOT\\EvilKey\\Inner|Evil subkey",
                             "EvilKey|HKEY_CURRENT_USER\\Software|Evil key",
                             "EvilKey|HKEY_LOCAL_MACHINE|Evil key",
                             "EvilLinkSub|HKEY_LOCAL_MACHINE|Evil subkey"}));
}

// At most one key is open at a time, and a subkey that is gone when its turn comes is
// skipped without a report.
TEST_F(RegistryScanTest, OpensOneKeyAtATimeAndSkipsVanishedKeys) {
  int mostOpen = 0;
  WhenPumped(
      [&] {
        mostOpen = std::max(mostOpen, registry_.OpenKeyCount());
        return Label("lblCurrentFile").Caption() == "HKEY_CLASSES_ROOT\\EvilKey\\Inner";
      },
      [&] {
        EXPECT_TRUE(registry_.DeleteKey(RegistryRoot::kClassesRoot, "EvilKey\\Inner\\EvilTwoSub"));
        EXPECT_TRUE(registry_.DeleteKey(RegistryRoot::kClassesRoot, "EvilKey\\Inner"));
      });
  ScanFolder("C:\\Scan");
  EXPECT_EQ(Examined().back(), "HKEY_CLASSES_ROOT\\EvilKey\\Inner");
  EXPECT_EQ(Rows().size(), 2u);
  EXPECT_LE(mostOpen, 1);
}

}  // namespace
}  // namespace nexolant
