#include "platform/portable/std_file_system.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <set>
#include <string>

#include "platform/errors.h"
#include "support/scoped_folder.h"

namespace nexolant::platform {
namespace {

namespace fs = std::filesystem;
using nexolant::testing::ScopedFolder;

class StdFileSystemTest : public ::testing::Test {
 protected:
  StdFileSystem files_;
  ScopedFolder folder_;
};

TEST_F(StdFileSystemTest, FileExistsOnlyForFiles) {
  folder_.Put("a.txt", "x");
  fs::create_directory(folder_.path() / "Reference.dat");
  EXPECT_TRUE(files_.FileExists(folder_.File("a.txt")));
  EXPECT_FALSE(files_.FileExists(folder_.File("Reference.dat")));
  EXPECT_FALSE(files_.FileExists(folder_.File("missing.txt")));
}

// A link to a file is not followed, though its target opens.
TEST_F(StdFileSystemTest, ReadersRefuseALinkToAFile) {
  folder_.Put("target.exe", "MZ");
  std::error_code error;
  fs::create_symlink(folder_.path() / "target.exe", folder_.path() / "link.exe", error);
  if (error) {
    GTEST_SKIP() << "no links here: " << error.message();
  }
  EXPECT_TRUE(files_.OpenReader(folder_.File("target.exe")));
  EXPECT_FALSE(files_.OpenReader(folder_.File("link.exe")));
}

TEST_F(StdFileSystemTest, BackslashSeparatesComponents) {
  fs::create_directory(folder_.path() / "sub");
  std::ofstream(folder_.path() / "sub" / "a.txt") << "abc";
  const std::string path = folder_.path().string() + "\\sub\\a.txt";
  EXPECT_TRUE(files_.FileExists(path));
  EXPECT_EQ(files_.ReadWholeFile(path), "abc");
  ASSERT_TRUE(files_.FindFirst(folder_.path().string() + "\\sub\\*.txt"));
}

TEST_F(StdFileSystemTest, FindFirstReportsNameSizeAndAttributes) {
  folder_.Put("Reference.dat", std::string(1234, 'x'));
  fs::create_directory(folder_.path() / "folder");

  const auto file = files_.FindFirst(folder_.File("Reference.dat"));
  ASSERT_TRUE(file);
  EXPECT_EQ(file->name, "Reference.dat");
  EXPECT_EQ(file->size, 1234u);
  EXPECT_EQ(file->attributes & kAttributeDirectory, 0u);

  const auto dir = files_.FindFirst(folder_.File("folder"));
  ASSERT_TRUE(dir);
  EXPECT_NE(dir->attributes & kAttributeDirectory, 0u);

  EXPECT_FALSE(files_.FindFirst(folder_.File("missing.dat")));
  EXPECT_FALSE(files_.FindFirst(folder_.Prefix()));
}

TEST_F(StdFileSystemTest, FindFirstMatchesWildcardsInTheLastComponent) {
  folder_.Put("abc1234.tmp", "12345");
  folder_.Put("README", "");
  struct Case {
    const char* pattern;
    const char* expected;  // nullptr: no match
  };
  const Case cases[] = {
      {"abc????.tmp", "abc1234.tmp"},
      {"*.tmp", "abc1234.tmp"},
      {"a*4.t?p", "abc1234.tmp"},
      {"abc???.tmp", nullptr},
      {"*.dat", nullptr},
      {"READ*", "README"},
      {"*E", "README"},
      {"R*M*E", "README"},
      {"*.*X", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern);
    const auto found = files_.FindFirst(folder_.File(c.pattern));
    if (c.expected == nullptr) {
      EXPECT_FALSE(found);
    } else {
      ASSERT_TRUE(found);
      EXPECT_EQ(found->name, c.expected);
    }
  }
  const auto tmp = files_.FindFirst(folder_.File("*.tmp"));
  ASSERT_TRUE(tmp);
  EXPECT_EQ(tmp->size, 5u);
}

TEST_F(StdFileSystemTest, StarDotStarMatchesNamesWithoutADot) {
  folder_.Put("README", "");
  const auto found = files_.FindFirst(folder_.File("*.*"));
  ASSERT_TRUE(found);
  EXPECT_EQ(found->name, "README");
}

TEST_F(StdFileSystemTest, WholeFilesKeepEveryByte) {
  const std::string data("line\r\nbare\rnul\0ctrlz\x1A\xFF end", 27);
  files_.WriteWholeFile(folder_.File("data.bin"), data);
  EXPECT_EQ(files_.ReadWholeFile(folder_.File("data.bin")), data);
  files_.WriteWholeFile(folder_.File("data.bin"), "short");
  EXPECT_EQ(folder_.Get("data.bin"), "short");
  files_.WriteWholeFile(folder_.File("empty.bin"), "");
  EXPECT_EQ(files_.ReadWholeFile(folder_.File("empty.bin")), "");
}

TEST_F(StdFileSystemTest, ReadingAMissingFileOrAFolderThrowsNamingIt) {
  fs::create_directory(folder_.path() / "dir");
  for (const std::string name : {"missing.txt", "dir"}) {
    try {
      files_.ReadWholeFile(folder_.File(name));
      ADD_FAILURE() << name << " was read";
    } catch (const IoError& error) {
      EXPECT_NE(std::string(error.what()).find(folder_.File(name)), std::string::npos);
    }
  }
  EXPECT_THROW(files_.WriteWholeFile(folder_.File("dir"), "x"), IoError);
}

TEST_F(StdFileSystemTest, ReplaceWritesTheNewContentAndLeavesNoTemporaryFile) {
  folder_.Put("Quarantine.ini", "old content, longer than the new");
  files_.ReplaceWholeFile(folder_.File("Quarantine.ini"), "new");
  files_.ReplaceWholeFile(folder_.File("fresh.ini"), "created");
  EXPECT_EQ(folder_.Get("Quarantine.ini"), "new");
  EXPECT_EQ(folder_.Get("fresh.ini"), "created");
  EXPECT_EQ(folder_.Names(), (std::set<std::string>{"Quarantine.ini", "fresh.ini"}));
}

TEST_F(StdFileSystemTest, FailedReplaceKeepsTheTargetAndRemovesTheTemporaryFile) {
  fs::create_directory(folder_.path() / "target");
  folder_.Put("target/inside.txt", "kept");
  try {
    files_.ReplaceWholeFile(folder_.File("target"), "new");
    ADD_FAILURE() << "a folder was replaced";
  } catch (const IoError& error) {
    EXPECT_NE(std::string(error.what()).find(folder_.File("target")), std::string::npos);
  }
  EXPECT_EQ(folder_.Get("target/inside.txt"), "kept");
  EXPECT_EQ(folder_.Names(), std::set<std::string>{"target"});
}

TEST_F(StdFileSystemTest, ReplaceInAReadOnlyFolderKeepsTheOldFile) {
  folder_.Put("Nexolant.ini", "old");
  fs::permissions(folder_.path(),
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  {
    std::ofstream probe(folder_.path() / "probe");
    if (probe) {
      probe.close();
      fs::remove(folder_.path() / "probe");
      GTEST_SKIP() << "this user may write into read-only folders";
    }
  }
  EXPECT_THROW(files_.ReplaceWholeFile(folder_.File("Nexolant.ini"), "new"), IoError);
  EXPECT_EQ(folder_.Get("Nexolant.ini"), "old");
  EXPECT_EQ(folder_.Names(), std::set<std::string>{"Nexolant.ini"});
  EXPECT_THROW(files_.CreateTempFile(folder_.Prefix(), "abc"), SystemError);
}

TEST_F(StdFileSystemTest, CreateTempFileMakesNewEmptyFilesAndNeverReusesOne) {
  const std::regex shape(R"(abc[0-9A-F]{4}\.tmp)");
  std::set<std::string> names;
  for (int i = 0; i < 400; ++i) {
    const std::string name = files_.CreateTempFile(folder_.Prefix(), "abcdef").ansi;
    ASSERT_EQ(name.rfind(folder_.Prefix(), 0), 0u) << name;
    const std::string bare = name.substr(folder_.Prefix().size());
    EXPECT_TRUE(std::regex_match(bare, shape)) << bare;
    EXPECT_EQ(folder_.Get(bare), "") << bare;
    folder_.Put(bare, bare);
    names.insert(bare);
  }
  EXPECT_EQ(names.size(), 400u);
  for (const std::string& bare : names) {
    EXPECT_EQ(folder_.Get(bare), bare);
  }
}

TEST_F(StdFileSystemTest, CreateTempFileJoinsAFolderWithoutTrailingSeparator) {
  const std::string name = files_.CreateTempFile(folder_.path().string(), "abc").ansi;
  EXPECT_TRUE(files_.FileExists(name));
  EXPECT_EQ(fs::path(name).parent_path(), folder_.path());
}

TEST_F(StdFileSystemTest, CreateTempFileInAMissingFolderThrowsSystemError) {
  EXPECT_THROW(files_.CreateTempFile(folder_.File("missing") + "/", "abc"), SystemError);
}

TEST_F(StdFileSystemTest, DeleteFileRemovesFilesOnly) {
  folder_.Put("a.tmp", "x");
  fs::create_directory(folder_.path() / "empty");
  EXPECT_TRUE(files_.RemoveFile(folder_.File("a.tmp")));
  EXPECT_FALSE(files_.RemoveFile(folder_.File("a.tmp")));
  EXPECT_FALSE(files_.RemoveFile(folder_.File("empty")));
  EXPECT_EQ(folder_.Names(), std::set<std::string>{"empty"});
}

TEST_F(StdFileSystemTest, ProgramFolderAndDriveRoots) {
  const std::string program = files_.ProgramFolder().ansi;
  ASSERT_FALSE(program.empty());
  EXPECT_TRUE(program.back() == '/' || program.back() == '\\') << program;
  EXPECT_TRUE(files_.FolderExists(program)) << program;
  const std::string root = folder_.path().root_path().string();
  EXPECT_EQ(files_.DriveTypeOf(root), DriveType::kFixed) << root;
  EXPECT_EQ(files_.DriveTypeOf(folder_.Prefix()), DriveType::kNoRootDir);
}

}  // namespace
}  // namespace nexolant::platform
