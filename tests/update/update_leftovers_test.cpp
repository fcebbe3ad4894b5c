#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_form_fixture.h"

namespace nexolant {
namespace {

// A start removes the temporary files of an update killed part of the way, and only those: in
// the program folder, named as the update, its downloads and its replacement name theirs.
TEST_F(MainFormTest, AStartRemovesOnlyTheTemporaryFilesOfAKilledUpdate) {
  const std::string folder = kFolder;
  PutReference("[ScanFiles]\r\nOLD.EXE=Old\r\n");
  for (const char* name :
       {"nxu1A2B.tmp", "NXD0001.TMP", "nxs7.tmp", "nxrffff.tmp", "abc1.tmp", "nxq1.tmp",
        "nxu12345.tmp", "nxuG1.tmp", "nxu.tmp", "nxu1.tmp.bak", "Quarantine\\nxu3.tmp"}) {
    files_.AddFile(folder + name, "partial");
  }
  files_.AddFolder(folder + "nxu2.tmp");
  files_.AddFile(files_.TempFolder() + "nxu4.tmp", "elsewhere");

  Create();
  EXPECT_EQ(
      files_.Names(folder),
      (std::vector<std::string>{"abc1.tmp", "nxq1.tmp", "nxu.tmp", "nxu1.tmp.bak", "nxu12345.tmp",
                                "nxu2.tmp", "nxuG1.tmp", "Quarantine", "Reference.dat"}));
  EXPECT_TRUE(files_.FileExists(folder + "Quarantine\\nxu3.tmp"));
  EXPECT_TRUE(files_.FileExists(files_.TempFolder() + "nxu4.tmp"));
}

}  // namespace
}  // namespace nexolant
