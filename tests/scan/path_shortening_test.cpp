#include "scan/path_shortening.h"

#include <gtest/gtest.h>

#include <string>

#include "scan/folder_dialog.h"

namespace nexolant {
namespace {

struct ShorteningCase {
  std::string path;
  std::string shown;
};

class PathShorteningTest : public ::testing::TestWithParam<ShorteningCase> {};

TEST_P(PathShorteningTest, ShowsAtMostFiftyCharacters) {
  const ShorteningCase& shortening = GetParam();
  const std::string shown = ShortenPath(shortening.path, kFolderStatusWidth);
  EXPECT_EQ(shown, shortening.shown);
  EXPECT_LE(shown.size(), kFolderStatusWidth);
}

const std::string kLongName(70, 'n');

INSTANTIATE_TEST_SUITE_P(
    Steps, PathShorteningTest,
    ::testing::Values(
        // Step 1: short enough, or no backslash at all: cut at the width.
        ShorteningCase{"C:\\Windows\\System32", "C:\\Windows\\System32"},
        ShorteningCase{std::string(50, 'x'), std::string(50, 'x')},
        ShorteningCase{std::string(60, 'x'), std::string(50, 'x')},
        // Step 2: at most one backslash after the drive: cut.
        ShorteningCase{"C:\\" + std::string(57, 'a'), "C:\\" + std::string(47, 'a')},
        // Steps 3 to 5: the root, "...", and the last components that fit (60 characters).
        ShorteningCase{"C:\\Program Files\\Common Files\\Vendor\\Shared\\Tool.dll",
                       "C:\\...\\Common Files\\Vendor\\Shared\\Tool.dll"},
        ShorteningCase{"C:\\Documents and Settings\\Administrator\\Desktop\\New",
                       "C:\\...\\Administrator\\Desktop\\New"},
        // Exactly the width after a drop: one more component goes.
        ShorteningCase{"C:\\ddddd\\" + std::string(36, 'b') + "\\ccccccc", "C:\\...\\ccccccc"},
        // A path that starts with two backslashes keeps them before its server.
        ShorteningCase{"\\\\server\\share\\Department\\Projects\\2004\\Reports\\Final",
                       "\\\\server\\...\\Projects\\2004\\Reports\\Final"},
        // A last component too long to fit is cut, and "..." marks the cut.
        ShorteningCase{"C:\\Folder\\" + kLongName, "C:\\...\\" + kLongName.substr(0, 40) + "..."}));

TEST(FolderStatusTextTest, ShowsThePathOrElseTheParsingName) {
  EXPECT_EQ(FolderStatusText({.path = "D:\\"}), "D:\\");
  EXPECT_EQ(FolderStatusText({.path = "C:\\a\\" + std::string(60, 'b') + "\\c"}), "C:\\...\\c");
  EXPECT_EQ(FolderStatusText({.parsingName = "::{20D04FE0}"}), "::{20D04FE0}");
  EXPECT_EQ(FolderStatusText({}), "");
}

}  // namespace
}  // namespace nexolant
