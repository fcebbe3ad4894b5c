#include "fakes/memory_file_system.h"

#include <gtest/gtest.h>

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
  EXPECT_FALSE(files.DeleteFile("C:\\a.ini"));
  EXPECT_EQ(files.Contents("C:\\a.ini"), "old");
  files.SetReadOnly("C:\\a.ini", false);
  EXPECT_TRUE(files.DeleteFile("C:\\a.ini"));
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
  const std::string first = files.CreateTempFile(files.TempFolder(), "abcdef");
  const std::string second = files.CreateTempFile("C:\\Temp", "abc");
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

}  // namespace
}  // namespace nexolant
