#include "fakes/memory_file_system.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/errors.h"

namespace nexolant {
namespace {

TEST(MemoryFileSystem, PathsCompareCaseInsensitivelyAndFoldersAreNoFiles) {
  MemoryFileSystem files;
  files.AddFile("C:\\Program Files\\App\\Data.ini", "x");
  EXPECT_TRUE(files.FileExists("c:/program files/app/DATA.INI"));
  EXPECT_FALSE(files.FileExists("C:\\Program Files\\App"));
  EXPECT_TRUE(files.FolderExists("C:\\PROGRAM FILES\\app\\"));
  EXPECT_EQ(files.ReadWholeFile("C:\\program files\\APP\\data.ini"), "x");
  EXPECT_THROW(files.ReadWholeFile("C:\\Program Files\\App"), platform::IoError);
  EXPECT_THROW(files.ReadWholeFile("C:\\Program Files\\App\\Missing.ini"), platform::IoError);
}

TEST(MemoryFileSystem, FindFirstMatchesWildcardsInTheLastComponent) {
  MemoryFileSystem files;
  files.AddFile("C:\\Dir\\Sub\\deep.txt", "1");
  files.AddFile("C:\\Dir\\Report.TXT", "12345");
  files.AddFolder("C:\\Dir\\Folder");
  const auto file = files.FindFirst("c:\\dir\\rep?rt.*");
  ASSERT_TRUE(file);
  EXPECT_EQ(file->name, "Report.TXT");
  EXPECT_EQ(file->size, 5u);
  EXPECT_EQ(file->attributes, platform::kAttributeArchive);
  const auto folder = files.FindFirst("C:\\Dir\\fold*");
  ASSERT_TRUE(folder);
  EXPECT_EQ(folder->attributes, platform::kAttributeDirectory);
  EXPECT_TRUE(files.FindFirst("C:\\Dir\\*.*"));
  EXPECT_FALSE(files.FindFirst("C:\\Dir\\deep.txt"));
  EXPECT_FALSE(files.FindFirst("C:\\Dir\\*.doc"));
  EXPECT_FALSE(files.FindFirst("C:\\Missing\\*"));
  EXPECT_EQ(files.Names("C:\\Dir"), (std::vector<std::string>{"Folder", "Report.TXT", "Sub"}));
}

TEST(MemoryFileSystem, ReadOnlyFilesRefuseChanges) {
  MemoryFileSystem files;
  files.AddFile("C:\\a.ini", "old");
  files.SetReadOnly("C:\\a.ini");
  EXPECT_THROW(files.WriteWholeFile("C:\\a.ini", "new"), platform::IoError);
  EXPECT_THROW(files.ReplaceWholeFile("C:\\a.ini", "new"), platform::IoError);
  EXPECT_FALSE(files.RemoveFile("C:\\a.ini"));
  EXPECT_EQ(files.Contents("C:\\a.ini"), "old");
  files.SetReadOnly("C:\\a.ini", false);
  EXPECT_TRUE(files.RemoveFile("C:\\a.ini"));
  EXPECT_FALSE(files.Contents("C:\\a.ini"));
}

TEST(MemoryFileSystem, FullDiskTruncatesPlainWritesButNotReplacements) {
  MemoryFileSystem files;
  files.AddFile("C:\\a.ini", "old content");
  files.FailWritesAfter(3);
  EXPECT_THROW(files.ReplaceWholeFile("C:\\a.ini", "new content"), platform::IoError);
  EXPECT_EQ(files.Contents("C:\\a.ini"), "old content");
  EXPECT_THROW(files.ReplaceWholeFile("C:\\b.ini", "new content"), platform::IoError);
  EXPECT_FALSE(files.Contents("C:\\b.ini"));
  EXPECT_THROW(files.WriteWholeFile("C:\\a.ini", "new content"), platform::IoError);
  EXPECT_EQ(files.Contents("C:\\a.ini"), "new");
  EXPECT_THROW(files.WriteWholeFile("C:\\NoFolder\\c.ini", ""), platform::IoError);
  EXPECT_EQ(files.WriteCount(), 0);
}

TEST(MemoryFileSystem, TempFilesAreCreatedEmptyWithUniqueNames) {
  MemoryFileSystem files;
  const platform::Path first = files.CreateTempFile(files.TempFolder(), "abcdef");
  const platform::Path second = files.CreateTempFile("C:\\Temp", "abc");
  EXPECT_EQ(first, "C:\\Temp\\abc0001.tmp");
  EXPECT_EQ(second, "C:\\Temp\\abc0002.tmp");
  EXPECT_EQ(files.Contents(first), "");
  EXPECT_THROW(files.CreateTempFile("C:\\Missing\\", "abc"), platform::SystemError);
  files.FailTempFiles(112, "There is not enough space on the disk");
  try {
    files.CreateTempFile(files.TempFolder(), "abc");
    FAIL();
  } catch (const platform::SystemError& error) {
    EXPECT_EQ(error.code(), 112u);
    EXPECT_STREQ(error.what(), "There is not enough space on the disk");
  }
}

std::vector<std::pair<std::string, std::uint32_t>> Listing(MemoryFileSystem& files,
                                                           const std::string& pattern) {
  std::vector<std::pair<std::string, std::uint32_t>> listing;
  if (const auto search = files.OpenSearch(pattern)) {
    while (const auto entry = search->Next()) {
      listing.emplace_back(entry->name, entry->attributes);
    }
  }
  return listing;
}

TEST(MemoryFileSystem, SearchesListDotEntriesFirstExceptInADriveRoot) {
  using platform::kAttributeArchive, platform::kAttributeDirectory;
  MemoryFileSystem files;
  constexpr std::uint32_t kFonts =
      kAttributeDirectory | platform::kAttributeSystem | platform::kAttributeReadOnly;
  files.AddFile("C:\\Windows\\Fonts\\b.ttf");
  files.AddFile("C:\\Windows\\Fonts\\A.ttf");
  files.SetAttributes("C:\\Windows\\Fonts", kFonts);
  using Listed = std::vector<std::pair<std::string, std::uint32_t>>;
  EXPECT_EQ(Listing(files, "c:\\windows\\fonts\\*.*"), (Listed{{".", kFonts},
                                                               {"..", kAttributeDirectory},
                                                               {"A.ttf", kAttributeArchive},
                                                               {"b.ttf", kAttributeArchive}}));
  EXPECT_EQ(Listing(files, "C:\\Windows\\Fonts\\*.TTF").size(), 2u);
  EXPECT_EQ(Listing(files, "C:\\*.*"),
            (Listed{{"Temp", kAttributeDirectory}, {"Windows", kAttributeDirectory}}));
}

TEST(MemoryFileSystem, FoldersMoveWithTheirContentWithinTheirDrive) {
  MemoryFileSystem files;
  files.AddFile("C:\\A\\x.txt", "x");
  files.AddFile("C:\\A B\\y.txt", "y");  // sorts between "C:\A" and "C:\A\x.txt"
  files.AddFolder("D:\\");
  EXPECT_FALSE(files.Move("C:\\A", "D:\\A"));
  EXPECT_FALSE(files.Move("C:\\A", "C:\\A\\Inner"));
  EXPECT_TRUE(files.Move("c:\\a", "C:\\Z"));
  EXPECT_EQ(files.Names("C:\\Z"), std::vector<std::string>{"x.txt"});
  EXPECT_EQ(files.Contents("C:\\Z\\x.txt"), "x");
  EXPECT_FALSE(files.FolderExists("C:\\A"));
  EXPECT_EQ(files.Contents("C:\\A B\\y.txt"), "y");
  EXPECT_TRUE(files.Move("C:\\A B\\y.txt", "D:\\y.txt"));
  EXPECT_FALSE(files.RemoveFolder("C:"));
  EXPECT_TRUE(files.RemoveFolder("C:\\A B"));
}

TEST(MemoryFileSystem, CreateFolderFailsWithTheSystemsCodes) {
  MemoryFileSystem files;
  files.AddFile("C:\\taken");
  const std::pair<const char*, unsigned long> cases[] = {
      {"C:\\Temp", 183}, {"C:\\taken", 183}, {"C:\\Missing\\Child", 3}, {"E:", 3}};
  for (const auto& [path, code] : cases) {
    SCOPED_TRACE(path);
    try {
      files.CreateFolder(path);
      ADD_FAILURE() << "created";
    } catch (const platform::SystemError& error) {
      EXPECT_EQ(error.code(), code);
    }
  }
}

TEST(MemoryFileSystem, DriveTypesFollowTheRootsUnlessSet) {
  using platform::DriveType;
  MemoryFileSystem files;
  files.AddFolder("D:\\");
  files.SetDriveType('e', DriveType::kCdRom);
  files.SetDriveType('C', DriveType::kRemote);
  const std::pair<const char*, DriveType> cases[] = {
      {"C:\\", DriveType::kRemote},    {"d:\\", DriveType::kFixed},
      {"D:/", DriveType::kFixed},      {"E:\\", DriveType::kCdRom},
      {"F:\\", DriveType::kNoRootDir}, {"D:", DriveType::kNoRootDir},
      {"1:\\", DriveType::kNoRootDir}, {"D:\\Temp\\", DriveType::kNoRootDir},
  };
  for (const auto& [root, type] : cases) {
    EXPECT_EQ(files.DriveTypeOf(root), type) << root;
  }
}

TEST(MemoryFileSystem, WindowsAndProgramFoldersAreSettable) {
  MemoryFileSystem files;
  EXPECT_EQ(files.WindowsFolder(), "C:\\Windows");
  EXPECT_EQ(files.ProgramFolder(), "C:\\Program\\");
  files.SetWindowsFolder("");
  files.SetProgramFolder("D:\\Tools\\");
  EXPECT_EQ(files.WindowsFolder(), "");
  EXPECT_EQ(files.ProgramFolder(), "D:\\Tools\\");
}

}  // namespace
}  // namespace nexolant
