#include "scan/t_recurse_dir.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "scan/counting_file_system.h"

namespace nexolant {
namespace {

using platform::kAttributeArchive;
using platform::kAttributeDirectory;
using platform::kAttributeHidden;
using platform::kAttributeSystem;

// Records every event of a walk as "dir X", "file X" or "end".
class RecurseDirTest : public ::testing::Test {
 protected:
  RecurseDirTest() {
    walker_.OnDirFound = [this](TRecurseDir&, const std::string& dir) {
      events_.push_back("dir " + dir);
    };
    walker_.OnFileFound = [this](TRecurseDir&, const std::string& file) {
      events_.push_back("file " + file);
    };
    walker_.OnEnd = [this](TRecurseDir&) { events_.push_back("end"); };
  }

  bool Walk(const std::string& directory) {
    walker_.SetDirectory(directory);
    return walker_.Run();
  }

  std::vector<std::string> Files() const {
    std::vector<std::string> files;
    for (const std::string& event : events_) {
      if (event.starts_with("file ")) {
        files.push_back(event.substr(5));
      }
    }
    return files;
  }

  CountingFileSystem files_;
  TRecurseDir walker_{files_};
  std::vector<std::string> events_;
};

TEST_F(RecurseDirTest, WalksDepthFirstInTheFileSystemsOrder) {
  files_.AddFile("D:\\A\\a1");
  files_.AddFile("D:\\A\\B\\b1");
  files_.AddFile("D:\\A\\B\\C\\c1");
  files_.AddFile("D:\\A\\c2");
  EXPECT_TRUE(Walk("D:\\A"));
  EXPECT_EQ(events_, (std::vector<std::string>{"dir D:\\A", "file D:\\A\\a1", "dir D:\\A\\B",
                                               "file D:\\A\\B\\b1", "dir D:\\A\\B\\C",
                                               "file D:\\A\\B\\C\\c1", "file D:\\A\\c2", "end"}));
  EXPECT_EQ(walker_.Mask(), "*.*");
  EXPECT_TRUE(walker_.RecurseSubDirs());
}

// Only an attribute word of exactly "directory" makes a folder: such folders are entered and
// never reported; every other entry is reported as a file and not entered.
TEST_F(RecurseDirTest, EntersOnlyFoldersWhoseAttributeWordIsExactlyDirectory) {
  files_.AddFile("D:\\T\\hidden.txt");
  files_.SetAttributes("D:\\T\\hidden.txt", kAttributeHidden | kAttributeSystem);
  for (const char* folder : {"Archived", "Hidden", "Plain"}) {
    files_.AddFile("D:\\T\\" + std::string(folder) + "\\inside.txt");
  }
  files_.SetAttributes("D:\\T\\Archived", kAttributeDirectory | kAttributeArchive);
  files_.SetAttributes("D:\\T\\Hidden", kAttributeDirectory | kAttributeHidden);
  EXPECT_TRUE(Walk("D:\\T"));
  EXPECT_EQ(Files(), (std::vector<std::string>{"D:\\T\\Archived", "D:\\T\\Hidden",
                                               "D:\\T\\hidden.txt", "D:\\T\\Plain\\inside.txt"}));

  events_.clear();
  walker_.SetRecurseSubDirs(false);
  EXPECT_TRUE(Walk("D:\\T"));
  EXPECT_EQ(Files(),
            (std::vector<std::string>{"D:\\T\\Archived", "D:\\T\\Hidden", "D:\\T\\hidden.txt"}));
}

// "." and ".." are reported when they carry more than the directory attribute.
TEST_F(RecurseDirTest, ReportsDotEntriesThatCarryFurtherAttributes) {
  files_.AddFile("D:\\H\\x");
  files_.SetAttributes("D:\\H", kAttributeDirectory | kAttributeHidden);
  EXPECT_TRUE(Walk("D:\\H"));
  EXPECT_EQ(Files(), (std::vector<std::string>{"D:\\H\\.", "D:\\H\\x"}));
}

TEST_F(RecurseDirTest, TheMaskFiltersFoldersAsWellAsFiles) {
  files_.AddFile("D:\\M\\keep.txt");
  files_.AddFile("D:\\M\\skip.exe");
  files_.AddFile("D:\\M\\sub\\deep.txt");
  files_.AddFile("D:\\M\\dir.txt\\found.txt");
  walker_.SetMask("*.txt");
  EXPECT_TRUE(Walk("D:\\M"));
  EXPECT_EQ(Files(), (std::vector<std::string>{"D:\\M\\dir.txt\\found.txt", "D:\\M\\keep.txt"}));
}

TEST_F(RecurseDirTest, JoinsWithOneBackslashWhateverTheStartFolderEndsWith) {
  files_.AddFile("D:\\x.txt");
  files_.AddFile("D:\\F\\y.txt");
  for (const char* start : {"D:\\F", "D:\\F\\"}) {
    events_.clear();
    EXPECT_TRUE(Walk(start));
    EXPECT_EQ(events_,
              (std::vector<std::string>{"dir " + std::string(start), "file D:\\F\\y.txt", "end"}));
  }
  events_.clear();
  EXPECT_TRUE(Walk("D:\\"));
  EXPECT_EQ(Files(), (std::vector<std::string>{"D:\\F\\y.txt", "D:\\x.txt"}));
}

TEST_F(RecurseDirTest, AMissingFolderIsAnnouncedThenTheWalkEnds) {
  EXPECT_TRUE(Walk("D:\\Missing"));
  EXPECT_EQ(events_, (std::vector<std::string>{"dir D:\\Missing", "end"}));
}

TEST_F(RecurseDirTest, AlreadyStoppedRaisesOnlyTheEnd) {
  files_.AddFile("D:\\S\\a");
  walker_.SetStopped(true);
  EXPECT_FALSE(Walk("D:\\S"));
  EXPECT_EQ(events_, (std::vector<std::string>{"end"}));
  EXPECT_TRUE(walker_.Stopped());
}

// A stop set inside a handler ends the walk before the next entry, closes every search at
// once, and is left set for whoever set it.
TEST_F(RecurseDirTest, AStopInAHandlerEndsTheWalkAndClosesEverySearch) {
  files_.AddFile("D:\\S\\A\\B\\deep");
  files_.AddFile("D:\\S\\A\\B\\deeper");
  files_.AddFile("D:\\S\\A\\later");
  files_.AddFile("D:\\S\\z");
  int searchesAtEnd = -1;
  walker_.OnFileFound = [this](TRecurseDir& sender, const std::string& file) {
    events_.push_back("file " + file);
    sender.SetStopped(true);
  };
  walker_.OnEnd = [&](TRecurseDir&) {
    events_.push_back("end");
    searchesAtEnd = files_.OpenSearches();
  };
  EXPECT_FALSE(Walk("D:\\S"));
  EXPECT_EQ(events_, (std::vector<std::string>{"dir D:\\S", "dir D:\\S\\A", "dir D:\\S\\A\\B",
                                               "file D:\\S\\A\\B\\deep", "end"}));
  EXPECT_EQ(searchesAtEnd, 0);
  EXPECT_EQ(files_.MostOpenSearches(), 3);
  EXPECT_TRUE(walker_.Stopped());
}

TEST_F(RecurseDirTest, OpenSearchesAreBoundedByTheDepthAndAllClosedOnAFailure) {
  std::string folder = "D:\\Deep";
  for (int level = 0; level < 6; ++level) {
    folder += "\\L" + std::to_string(level);
    files_.AddFile(folder + "\\file");
    files_.AddFile(folder + "\\other");
  }
  int mostDuringWalk = 0;
  walker_.OnFileFound = [&](TRecurseDir&, const std::string&) {
    mostDuringWalk = std::max(mostDuringWalk, files_.OpenSearches());
  };
  EXPECT_TRUE(Walk("D:\\Deep"));
  EXPECT_EQ(mostDuringWalk, 7);
  EXPECT_EQ(files_.OpenSearches(), 0);

  walker_.OnFileFound = [](TRecurseDir&, const std::string& file) {
    if (file.ends_with("L5\\file")) {
      throw std::runtime_error("Invalid mask");
    }
  };
  EXPECT_THROW(Walk("D:\\Deep"), std::runtime_error);
  EXPECT_EQ(files_.OpenSearches(), 0);
}

// The end handler may start the next walk on the same walker; the outer Run returns after it.
TEST_F(RecurseDirTest, TheEndHandlerCanRunTheNextWalk) {
  files_.AddFile("F:\\c.txt");
  files_.AddFile("G:\\d.txt");
  std::vector<std::string> queue{"G:\\"};
  walker_.OnEnd = [&](TRecurseDir& sender) {
    events_.push_back("end " + sender.Directory());
    if (!queue.empty()) {
      sender.SetDirectory(queue.front());
      queue.erase(queue.begin());
      sender.Run();
      events_.push_back("inner returned");
    }
  };
  EXPECT_TRUE(Walk("F:\\"));
  EXPECT_EQ(events_, (std::vector<std::string>{"dir F:\\", "file F:\\c.txt", "end F:\\", "dir G:\\",
                                               "file G:\\d.txt", "end G:\\", "inner returned"}));
}

TEST_F(RecurseDirTest, ASkippedFolderIsNeitherAnnouncedNorEntered) {
  files_.AddFile("D:\\P\\Quarantine\\held.exe");
  files_.AddFile("D:\\P\\kept.exe");
  walker_.SkipFolder = [](const platform::Path& folder, const platform::FindData*) {
    return folder.ansi == "D:\\P\\Quarantine";
  };
  EXPECT_TRUE(Walk("D:\\P"));
  EXPECT_EQ(events_, (std::vector<std::string>{"dir D:\\P", "file D:\\P\\kept.exe", "end"}));
}

}  // namespace
}  // namespace nexolant
