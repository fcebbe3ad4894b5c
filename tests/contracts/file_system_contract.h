#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "platform/errors.h"
#include "platform/file_system.h"

namespace nexolant::contracts {

// The behaviour of the file services that the program relies on, for every implementation.
// An instantiation supplies an environment type, created afresh for each test:
//   platform::FileSystem& files();  the implementation under test
//   std::string Folder();           an empty folder for the test, with a trailing separator,
//                                   removed with everything in it when the environment goes
//   static constexpr bool kWindowsSemantics;  true when searches report "." and ".." as
//                                   Windows does and the environment offers the Windows
//                                   attributes and locks:
//     void SetAttributes(const std::string& path, std::uint32_t attributes);
//     Lock HoldOpen(const std::string& path);  the file is held open without sharing until
//                                   the returned object is destroyed
//     bool ReadOnlyFilesRefuseWrites(const std::string& path);  false where the user may
//                                   write into a read-only file anyway (Wine run as root)
//     std::string ShortPath(const std::string& path);  the path of an existing file spelled
//                                   with short (8.3) names; empty where the volume has none
// and, in every environment:
//   void SetReadOnly(const std::string& path);  marks a file read-only as the system does
//   bool MakeFolderLink(const std::string& link, const std::string& target);  a link to a
//                                   folder, as a symbolic link or junction; false where none
//                                   can be made
// and then: INSTANTIATE_TYPED_TEST_SUITE_P(Name, FileSystemContract, Environment);
template <typename Environment>
class FileSystemContract : public ::testing::Test {
 protected:
  using Attributes = std::map<std::string, std::uint32_t>;

  std::string Path(const std::string& name) const { return folder_ + name; }

  void Put(const std::string& name, const std::string& content) {
    files_.WriteWholeFile(Path(name), content);
  }

  // The names and attribute words a search reports, failing the test on a name reported twice.
  Attributes Search(const std::string& pattern) {
    Attributes found;
    const std::unique_ptr<platform::DirectorySearch> search = files_.OpenSearch(Path(pattern));
    if (search) {
      while (const std::optional<platform::FindData> entry = search->Next()) {
        EXPECT_TRUE(found.emplace(entry->name, entry->attributes).second) << entry->name;
      }
    }
    return found;
  }

  std::set<std::string> Names(const std::string& pattern) {
    std::set<std::string> names;
    for (const auto& [name, attributes] : Search(pattern)) {
      if (name != "." && name != "..") {
        names.insert(name);
      }
    }
    return names;
  }

  Environment environment_;
  platform::FileSystem& files_ = environment_.files();
  const std::string folder_ = environment_.Folder();
};

TYPED_TEST_SUITE_P(FileSystemContract);

TYPED_TEST_P(FileSystemContract, FilesFoldersAndTheirAttributeWords) {
  platform::FileSystem& files = this->files_;
  this->Put("Reference.dat", "x");
  files.CreateFolder(this->Path("Quarantine"));

  EXPECT_TRUE(files.FileExists(this->Path("Reference.dat")));
  EXPECT_FALSE(files.FileExists(this->Path("Quarantine")));
  EXPECT_FALSE(files.FileExists(this->Path("missing.dat")));
  // A path is never a pattern.
  EXPECT_FALSE(files.FileExists(this->Path("Reference.da?")));
  EXPECT_FALSE(files.FileExists(this->Path("Ref*")));
  EXPECT_TRUE(files.FolderExists(this->Path("Quarantine")));
  EXPECT_FALSE(files.FolderExists(this->Path("Reference.dat")));
  EXPECT_FALSE(files.FolderExists(this->Path("missing")));

  // A plain new folder carries the directory attribute and nothing else.
  EXPECT_EQ(files.FileAttributes(this->Path("Quarantine")),
            std::uint32_t{platform::kAttributeDirectory});
  const std::optional<std::uint32_t> file = files.FileAttributes(this->Path("Reference.dat"));
  ASSERT_TRUE(file);
  EXPECT_EQ(*file & platform::kAttributeDirectory, 0u);
  EXPECT_FALSE(files.FileAttributes(this->Path("missing.dat")));
}

TYPED_TEST_P(FileSystemContract, SearchReportsEveryEntryOnceWithItsAttributesAndSize) {
  platform::FileSystem& files = this->files_;
  this->Put("a1.txt", "12345");
  this->Put("README", "");
  files.CreateFolder(this->Path("B"));
  this->Put("B\\b1.txt", "1");

  const auto all = this->Search("*.*");
  std::set<std::string> expected{"a1.txt", "README", "B"};
  if constexpr (TypeParam::kWindowsSemantics) {
    expected.insert({".", ".."});
    EXPECT_NE(all.at(".") & platform::kAttributeDirectory, 0u);
    EXPECT_NE(all.at("..") & platform::kAttributeDirectory, 0u);
  }
  std::set<std::string> names;
  for (const auto& [name, attributes] : all) {
    names.insert(name);
  }
  EXPECT_EQ(names, expected);
  EXPECT_EQ(all.at("B"), std::uint32_t{platform::kAttributeDirectory});
  EXPECT_EQ(all.at("a1.txt") & platform::kAttributeDirectory, 0u);

  const std::optional<platform::FindData> a1 = files.FindFirst(this->Path("a1.txt"));
  ASSERT_TRUE(a1);
  EXPECT_EQ(a1->name, "a1.txt");
  EXPECT_EQ(a1->size, 5u);

  EXPECT_EQ(this->Names("*.txt"), std::set<std::string>{"a1.txt"});
  EXPECT_EQ(this->Names("a?.t*"), std::set<std::string>{"a1.txt"});
  EXPECT_EQ(this->Names("B\\*.*"), std::set<std::string>{"b1.txt"});
  EXPECT_EQ(this->Names("B"), std::set<std::string>{"B"});
  EXPECT_FALSE(files.OpenSearch(this->Path("*.doc")));
  EXPECT_FALSE(files.OpenSearch(this->Path("missing\\*.*")));
  EXPECT_FALSE(files.FindFirst(this->Path("missing.txt")));
}

TYPED_TEST_P(FileSystemContract, SearchesStayOpenSideBySideAndEndForGood) {
  platform::FileSystem& files = this->files_;
  files.CreateFolder(this->Path("A"));
  this->Put("A\\a1", "");
  this->Put("A\\a2", "");
  this->Put("b1", "");

  std::set<std::string> outerNames;
  std::set<std::string> innerNames;
  const auto outer = files.OpenSearch(this->Path("*"));
  ASSERT_TRUE(outer);
  while (const auto entry = outer->Next()) {
    outerNames.insert(entry->name);
    if (entry->name == "A") {
      const auto inner = files.OpenSearch(this->Path("A\\a*"));
      ASSERT_TRUE(inner);
      while (const auto innerEntry = inner->Next()) {
        innerNames.insert(innerEntry->name);
      }
      EXPECT_FALSE(inner->Next());
    }
  }
  EXPECT_FALSE(outer->Next());
  EXPECT_TRUE(outerNames.count("A") == 1 && outerNames.count("b1") == 1);
  EXPECT_EQ(innerNames, (std::set<std::string>{"a1", "a2"}));
}

TYPED_TEST_P(FileSystemContract, CreateFolderNeedsAFreeNameAndAnExistingParent) {
  platform::FileSystem& files = this->files_;
  files.CreateFolder(this->Path("Quarantine"));
  EXPECT_TRUE(files.FolderExists(this->Path("Quarantine")));
  this->Put("Quarantine\\inside.dat", "x");
  this->Put("taken", "x");
  for (const char* name : {"Quarantine", "taken", "missing\\child"}) {
    SCOPED_TRACE(name);
    try {
      files.CreateFolder(this->Path(name));
      ADD_FAILURE() << "created";
    } catch (const platform::SystemError& error) {
      EXPECT_NE(error.code(), 0u);
      EXPECT_STRNE(error.what(), "");
    }
  }
  EXPECT_FALSE(files.FolderExists(this->Path("missing")));

  // Each creation is judged by its own outcome, whatever failed before it.
  EXPECT_FALSE(files.RemoveFolder(this->Path("Quarantine")));
  files.CreateFolder(this->Path("Other"));
  EXPECT_TRUE(files.FolderExists(this->Path("Other")));
}

TYPED_TEST_P(FileSystemContract, RemoveFolderRemovesOnlyEmptyFolders) {
  platform::FileSystem& files = this->files_;
  files.CreateFolder(this->Path("empty"));
  files.CreateFolder(this->Path("full"));
  this->Put("full\\kept.dat", "x");
  this->Put("file.dat", "x");

  EXPECT_TRUE(files.RemoveFolder(this->Path("empty")));
  EXPECT_FALSE(files.FolderExists(this->Path("empty")));
  EXPECT_FALSE(files.RemoveFolder(this->Path("empty")));
  EXPECT_FALSE(files.RemoveFolder(this->Path("full")));
  EXPECT_TRUE(files.FileExists(this->Path("full\\kept.dat")));
  EXPECT_FALSE(files.RemoveFolder(this->Path("file.dat")));
  EXPECT_TRUE(files.FileExists(this->Path("file.dat")));
}

TYPED_TEST_P(FileSystemContract, MoveNeverReplacesAnExistingTarget) {
  platform::FileSystem& files = this->files_;
  files.CreateFolder(this->Path("Quarantine"));
  this->Put("bad.exe", "first");
  this->Put("Quarantine\\taken.exe", "old");
  this->Put("taken.exe", "new");

  EXPECT_TRUE(files.Move(this->Path("bad.exe"), this->Path("Quarantine\\bad.exe")));
  EXPECT_FALSE(files.FileExists(this->Path("bad.exe")));
  EXPECT_EQ(files.ReadWholeFile(this->Path("Quarantine\\bad.exe")), "first");

  const platform::Outcome taken =
      files.Move(this->Path("taken.exe"), this->Path("Quarantine\\taken.exe"));
  EXPECT_FALSE(taken);
  EXPECT_EQ(taken.error, platform::kErrorAlreadyExists);
  EXPECT_EQ(files.ReadWholeFile(this->Path("taken.exe")), "new");
  EXPECT_EQ(files.ReadWholeFile(this->Path("Quarantine\\taken.exe")), "old");

  EXPECT_FALSE(files.Move(this->Path("taken.exe"), this->Path("Quarantine")));
  const platform::Outcome missing =
      files.Move(this->Path("missing.exe"), this->Path("Quarantine\\missing.exe"));
  EXPECT_FALSE(missing);
  if constexpr (TypeParam::kWindowsSemantics) {
    EXPECT_EQ(missing.error, platform::kErrorFileNotFound);
  }
  const platform::Outcome noFolder =
      files.Move(this->Path("taken.exe"), this->Path("gone\\taken.exe"));
  EXPECT_FALSE(noFolder);
  if constexpr (TypeParam::kWindowsSemantics) {
    EXPECT_EQ(noFolder.error, platform::kErrorPathNotFound);
  }
  EXPECT_TRUE(files.FileExists(this->Path("taken.exe")));

  // A folder moves with what it holds.
  EXPECT_TRUE(files.Move(this->Path("Quarantine"), this->Path("Moved")));
  EXPECT_FALSE(files.FolderExists(this->Path("Quarantine")));
  EXPECT_EQ(files.ReadWholeFile(this->Path("Moved\\taken.exe")), "old");

  // A doubled separator, as in a folder written with its backslash joined to a name, is one.
  EXPECT_TRUE(files.Move(this->Path("Moved\\taken.exe"), this->Path("Moved\\\\back.exe")));
  EXPECT_EQ(files.ReadWholeFile(this->Path("Moved\\back.exe")), "old");
}

TYPED_TEST_P(FileSystemContract, DeleteFileDeletesFilesOnly) {
  platform::FileSystem& files = this->files_;
  this->Put("a.tmp", "x");
  files.CreateFolder(this->Path("folder"));
  EXPECT_TRUE(files.RemoveFile(this->Path("a.tmp")));
  EXPECT_FALSE(files.FileExists(this->Path("a.tmp")));
  const platform::Outcome gone = files.RemoveFile(this->Path("a.tmp"));
  EXPECT_FALSE(gone);
  EXPECT_EQ(gone.error, platform::kErrorFileNotFound);
  EXPECT_FALSE(files.RemoveFile(this->Path("folder")));
  EXPECT_TRUE(files.FolderExists(this->Path("folder")));
}

TYPED_TEST_P(FileSystemContract, WholeFilesKeepEveryByte) {
  platform::FileSystem& files = this->files_;
  const std::string data("line\r\nbare\rnul\0ctrlz\x1A\xFF end", 27);
  files.WriteWholeFile(this->Path("data.bin"), data);
  EXPECT_EQ(files.ReadWholeFile(this->Path("data.bin")), data);
  files.WriteWholeFile(this->Path("data.bin"), "short");
  EXPECT_EQ(files.ReadWholeFile(this->Path("data.bin")), "short");
  const std::string large(200000, '\xA5');
  files.WriteWholeFile(this->Path("large.bin"), large);
  EXPECT_EQ(files.ReadWholeFile(this->Path("large.bin")), large);
  files.WriteWholeFile(this->Path("empty.bin"), "");
  EXPECT_EQ(files.ReadWholeFile(this->Path("empty.bin")), "");
}

// A reader gives the bytes in pieces as the whole-file read gives them, and opens files only:
// never a folder, a link or a missing name. On Windows it leaves the file free to be moved
// meanwhile, and cannot open a file another program holds without sharing.
TYPED_TEST_P(FileSystemContract, ReadersGiveEveryByteInPiecesAndOpenFilesOnly) {
  platform::FileSystem& files = this->files_;
  std::string data(200001, '\0');
  for (std::size_t k = 0; k < data.size(); ++k) {
    data[k] = static_cast<char>(k * 7 + k / 251);
  }
  this->Put("data.bin", data);
  std::unique_ptr<platform::FileReader> reader = files.OpenReader(this->Path("data.bin"));
  ASSERT_TRUE(reader);
  EXPECT_EQ(reader->Size(), data.size());
  std::string name = "data.bin";
  if constexpr (TypeParam::kWindowsSemantics) {
    EXPECT_TRUE(files.Move(this->Path(name), this->Path("moved.bin")));
    name = "moved.bin";
  }
  std::string read;
  char buffer[65536];
  while (const std::optional<std::size_t> count = reader->Read(buffer)) {
    if (*count == 0) {
      break;
    }
    read.append(buffer, *count);
  }
  EXPECT_EQ(read, data);
  EXPECT_EQ(reader->Read(buffer), std::optional<std::size_t>(0));
  reader.reset();

  this->Put("empty.bin", "");
  const std::unique_ptr<platform::FileReader> empty = files.OpenReader(this->Path("empty.bin"));
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->Size(), 0u);
  EXPECT_EQ(empty->Read(buffer), std::optional<std::size_t>(0));

  files.CreateFolder(this->Path("Target"));
  EXPECT_FALSE(files.OpenReader(this->Path("missing.bin")));
  EXPECT_FALSE(files.OpenReader(this->Path("Target")));
  if (this->environment_.MakeFolderLink(this->Path("Link"), this->Path("Target"))) {
    EXPECT_FALSE(files.OpenReader(this->Path("Link")));
  }
  if constexpr (TypeParam::kWindowsSemantics) {
    const auto lock = this->environment_.HoldOpen(this->Path(name));
    EXPECT_FALSE(files.OpenReader(this->Path(name)));
  }
}

TYPED_TEST_P(FileSystemContract, ReadAndWriteFailuresThrowIoError) {
  platform::FileSystem& files = this->files_;
  files.CreateFolder(this->Path("dir"));
  EXPECT_THROW(files.ReadWholeFile(this->Path("missing.txt")), platform::IoError);
  EXPECT_THROW(files.ReadWholeFile(this->Path("dir")), platform::IoError);
  EXPECT_THROW(files.WriteWholeFile(this->Path("dir"), "x"), platform::IoError);
  EXPECT_THROW(files.WriteWholeFile(this->Path("missing\\a.txt"), "x"), platform::IoError);
  EXPECT_THROW(files.ReplaceWholeFile(this->Path("missing\\a.txt"), "x"), platform::IoError);
}

TYPED_TEST_P(FileSystemContract, ReplaceWritesTheNewContentAndLeavesNoTemporaryFile) {
  platform::FileSystem& files = this->files_;
  this->Put("Quarantine.ini", "old content, longer than the new");
  files.ReplaceWholeFile(this->Path("Quarantine.ini"), "new");
  files.ReplaceWholeFile(this->Path("fresh.ini"), "created");
  EXPECT_EQ(files.ReadWholeFile(this->Path("Quarantine.ini")), "new");
  EXPECT_EQ(files.ReadWholeFile(this->Path("fresh.ini")), "created");
  EXPECT_EQ(this->Names("*"), (std::set<std::string>{"Quarantine.ini", "fresh.ini"}));
}

TYPED_TEST_P(FileSystemContract, FailedReplaceKeepsTheTargetAndRemovesTheTemporaryFile) {
  platform::FileSystem& files = this->files_;
  files.CreateFolder(this->Path("target"));
  this->Put("target\\inside.txt", "kept");
  EXPECT_THROW(files.ReplaceWholeFile(this->Path("target"), "new"), platform::IoError);
  EXPECT_EQ(files.ReadWholeFile(this->Path("target\\inside.txt")), "kept");
  EXPECT_EQ(this->Names("*"), std::set<std::string>{"target"});
}

// A file the user marked keeps its content and its marks: the program's rewrite of an INI
// file fails instead of replacing it by a plain one.
TYPED_TEST_P(FileSystemContract, ReplaceRefusesMarkedTargetsAndKeepsTheAttributesOfOthers) {
  platform::FileSystem& files = this->files_;
  this->Put("ReadOnly.ini", "old");
  this->environment_.SetReadOnly(this->Path("ReadOnly.ini"));
  EXPECT_THROW(files.ReplaceWholeFile(this->Path("ReadOnly.ini"), "new"), platform::IoError);
  EXPECT_EQ(files.ReadWholeFile(this->Path("ReadOnly.ini")), "old");
  if constexpr (TypeParam::kWindowsSemantics) {
    for (const std::uint32_t marks :
         {std::uint32_t{platform::kAttributeHidden}, std::uint32_t{platform::kAttributeSystem}}) {
      this->Put("Marked.ini", "old");
      this->environment_.SetAttributes(this->Path("Marked.ini"), marks);
      EXPECT_THROW(files.ReplaceWholeFile(this->Path("Marked.ini"), "new"), platform::IoError);
      EXPECT_EQ(files.ReadWholeFile(this->Path("Marked.ini")), "old");
      EXPECT_EQ(files.FileAttributes(this->Path("Marked.ini")).value_or(0) & marks, marks);
      this->environment_.SetAttributes(this->Path("Marked.ini"), platform::kAttributeArchive);
      ASSERT_TRUE(files.RemoveFile(this->Path("Marked.ini")));
    }
    // Kept where the system records the attribute at all (Wine does not).
    constexpr std::uint32_t kNotIndexed = 0x2000;
    this->Put("Indexed.ini", "old");
    this->environment_.SetAttributes(this->Path("Indexed.ini"), kNotIndexed);
    const std::uint32_t marked = files.FileAttributes(this->Path("Indexed.ini")).value_or(0);
    files.ReplaceWholeFile(this->Path("Indexed.ini"), "new");
    EXPECT_EQ(files.ReadWholeFile(this->Path("Indexed.ini")), "new");
    EXPECT_EQ(files.FileAttributes(this->Path("Indexed.ini")).value_or(0) & kNotIndexed,
              marked & kNotIndexed);
    this->environment_.SetAttributes(this->Path("ReadOnly.ini"), platform::kAttributeArchive);
    ASSERT_TRUE(files.RemoveFile(this->Path("ReadOnly.ini")));
    EXPECT_EQ(this->Names("*"), std::set<std::string>{"Indexed.ini"});
  }
}

TYPED_TEST_P(FileSystemContract, TempFilesAreNewEmptyAndNamedFromThePrefix) {
  platform::FileSystem& files = this->files_;
  std::set<std::string> names;
  for (int i = 0; i < 3; ++i) {
    const platform::Path made = files.CreateTempFile(this->folder_, "abcdef");
    EXPECT_FALSE(made.HasExact());
    const std::string& name = made.ansi;
    SCOPED_TRACE(name);
    ASSERT_EQ(name.rfind(this->Path("abc"), 0), 0u);
    // Up to four hexadecimal digits, then ".tmp" in either case.
    const std::string rest = name.substr(this->Path("abc").size());
    ASSERT_GE(rest.size(), 5u);
    ASSERT_LE(rest.size(), 8u);
    const std::string digits = rest.substr(0, rest.size() - 4);
    for (const char c : digits) {
      EXPECT_TRUE(std::isxdigit(static_cast<unsigned char>(c)));
    }
    std::string extension = rest.substr(digits.size());
    for (char& c : extension) {
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    EXPECT_EQ(extension, ".tmp");
    EXPECT_EQ(files.ReadWholeFile(name), "");
    names.insert(name);
  }
  EXPECT_EQ(names.size(), 3u);
  EXPECT_THROW(files.CreateTempFile(this->Path("missing\\"), "abc"), platform::SystemError);

  const std::string temp = files.TempFolder().ansi;
  ASSERT_FALSE(temp.empty());
  EXPECT_TRUE(temp.back() == '\\' || temp.back() == '/') << temp;
  EXPECT_TRUE(files.FolderExists(temp)) << temp;
}

TYPED_TEST_P(FileSystemContract, SearchesReportHiddenAndSystemAttributes) {
  if constexpr (TypeParam::kWindowsSemantics) {
    platform::FileSystem& files = this->files_;
    constexpr std::uint32_t kHiddenSystem = platform::kAttributeHidden | platform::kAttributeSystem;
    this->Put("hidden.dat", "x");
    files.CreateFolder(this->Path("HiddenFolder"));
    files.CreateFolder(this->Path("Plain"));
    this->environment_.SetAttributes(this->Path("hidden.dat"), kHiddenSystem);
    this->environment_.SetAttributes(this->Path("HiddenFolder"),
                                     platform::kAttributeDirectory | platform::kAttributeHidden);

    const auto found = this->Search("*.*");
    EXPECT_EQ(found.at("hidden.dat") & kHiddenSystem, kHiddenSystem);
    EXPECT_EQ(found.at("HiddenFolder"), platform::kAttributeDirectory | platform::kAttributeHidden);
    EXPECT_EQ(found.at("Plain"), std::uint32_t{platform::kAttributeDirectory});
    EXPECT_EQ(files.FileAttributes(this->Path("hidden.dat")).value_or(0) & kHiddenSystem,
              kHiddenSystem);
    EXPECT_TRUE(files.FileExists(this->Path("hidden.dat")));
    EXPECT_TRUE(files.FolderExists(this->Path("HiddenFolder")));
  } else {
    GTEST_SKIP() << "no Windows attributes";
  }
}

TYPED_TEST_P(FileSystemContract, ReadOnlyFilesCanBeMovedButNotChanged) {
  if constexpr (TypeParam::kWindowsSemantics) {
    platform::FileSystem& files = this->files_;
    this->Put("Nexolant.ini", "old");
    this->environment_.SetAttributes(this->Path("Nexolant.ini"), platform::kAttributeReadOnly);
    const platform::Outcome readOnly = files.RemoveFile(this->Path("Nexolant.ini"));
    EXPECT_FALSE(readOnly);
    EXPECT_EQ(readOnly.error, platform::kErrorAccessDenied);
    EXPECT_TRUE(files.Move(this->Path("Nexolant.ini"), this->Path("Moved.ini")));
    EXPECT_EQ(files.ReadWholeFile(this->Path("Moved.ini")), "old");
    this->Put("Cleared.ini", "x");
    this->environment_.SetAttributes(this->Path("Cleared.ini"), platform::kAttributeReadOnly);
    EXPECT_TRUE(files.ChangeAttributes(this->Path("Cleared.ini"), platform::kAttributeArchive));
    EXPECT_EQ(files.FileAttributes(this->Path("Cleared.ini")), platform::kAttributeArchive);
    EXPECT_TRUE(files.RemoveFile(this->Path("Cleared.ini")));
    if (!this->environment_.ReadOnlyFilesRefuseWrites(this->Path("Moved.ini"))) {
      GTEST_SKIP() << "this user may write into read-only files";
    }
    EXPECT_THROW(files.WriteWholeFile(this->Path("Moved.ini"), "new"), platform::IoError);
    EXPECT_THROW(files.ReplaceWholeFile(this->Path("Moved.ini"), "new"), platform::IoError);
    EXPECT_EQ(files.ReadWholeFile(this->Path("Moved.ini")), "old");
    EXPECT_EQ(this->Names("*"), std::set<std::string>{"Moved.ini"});
  } else {
    GTEST_SKIP() << "no Windows attributes";
  }
}

TYPED_TEST_P(FileSystemContract, FilesInUseCannotBeReadChangedMovedOrDeleted) {
  if constexpr (TypeParam::kWindowsSemantics) {
    platform::FileSystem& files = this->files_;
    this->Put("Quarantine.ini", "old");
    {
      const auto lock = this->environment_.HoldOpen(this->Path("Quarantine.ini"));
      EXPECT_THROW(files.ReadWholeFile(this->Path("Quarantine.ini")), platform::IoError);
      EXPECT_THROW(files.WriteWholeFile(this->Path("Quarantine.ini"), "new"), platform::IoError);
      EXPECT_THROW(files.ReplaceWholeFile(this->Path("Quarantine.ini"), "new"), platform::IoError);
      EXPECT_FALSE(files.Move(this->Path("Quarantine.ini"), this->Path("Moved.ini")));
      EXPECT_FALSE(files.RemoveFile(this->Path("Quarantine.ini")));
      EXPECT_TRUE(files.FileExists(this->Path("Quarantine.ini")));
    }
    EXPECT_EQ(files.ReadWholeFile(this->Path("Quarantine.ini")), "old");
    EXPECT_EQ(this->Names("*"), std::set<std::string>{"Quarantine.ini"});
  } else {
    GTEST_SKIP() << "no Windows attributes";
  }
}

TYPED_TEST_P(FileSystemContract, FullPathResolvesDotsAndSeparators) {
  platform::FileSystem& files = this->files_;
  const char separator = this->folder_.back();
  EXPECT_EQ(files.FullPath(this->Path("a/../b\\.\\c.txt")), this->Path("b") + separator + "c.txt");
  EXPECT_EQ(
      files.FullPath(this->Path("a\\..\\..\\") + "x"),
      this->folder_.substr(0, this->folder_.find_last_of("/\\", this->folder_.size() - 2) + 1) +
          "x");
  EXPECT_EQ(files.FullPath(""), "");
}

TYPED_TEST_P(FileSystemContract, LongPathNamesExistingPathsOnly) {
  platform::FileSystem& files = this->files_;
  const auto upper = [](std::string text) {
    for (char& c : text) {
      c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
  };
  files.CreateFolder(this->Path("Long Folder Name"));
  this->Put("Long Folder Name\\Some Long File.text", "x");
  const std::string path = this->Path("Long Folder Name\\Some Long File.text");
  EXPECT_EQ(upper(files.LongPath(path).ansi), upper(path));
  EXPECT_EQ(files.LongPath(this->Path("missing\\file.txt")), "");
  if constexpr (TypeParam::kWindowsSemantics) {
    const std::string shortPath = this->environment_.ShortPath(path);
    if (shortPath.empty() || upper(shortPath) == upper(path)) {
      GTEST_SKIP() << "no short names on this volume";
    }
    EXPECT_TRUE(files.FileExists(shortPath)) << shortPath;
    EXPECT_EQ(upper(files.LongPath(shortPath).ansi), upper(path)) << shortPath;
  }
}

TYPED_TEST_P(FileSystemContract, LinksCarryTheReparsePointAttribute) {
  platform::FileSystem& files = this->files_;
  files.CreateFolder(this->Path("Target"));
  if (!this->environment_.MakeFolderLink(this->Path("Link"), this->Path("Target")) ||
      !files.FileAttributes(this->Path("Link"))) {
    GTEST_SKIP() << "no links on this file system";
  }
  constexpr std::uint32_t kLinkedFolder =
      platform::kAttributeDirectory | platform::kAttributeReparsePoint;
  EXPECT_EQ(files.FileAttributes(this->Path("Link")).value_or(0) & kLinkedFolder, kLinkedFolder);
  EXPECT_EQ(this->Search("Link*").at("Link") & kLinkedFolder, kLinkedFolder);
  EXPECT_EQ(files.FileAttributes(this->Path("Target")),
            std::uint32_t{platform::kAttributeDirectory});
}

// Names beyond the ANSI code page (Cyrillic, Greek alpha, CJK) are reached through their exact
// spelling: a search gives the ANSI spelling, which is never a look-alike, and the exact name
// that leads back to the entry, also inside a folder so named; the ANSI look-alike beside such
// a name stays a file of its own. Paths of either spelling meet in one call.
TYPED_TEST_P(FileSystemContract, ExactPathsReachNamesTheCodePageCannotHold) {
  platform::FileSystem& files = this->files_;
  const auto exactPath = [&](const std::string& name) {
    return files.Join(this->folder_, files.FromExact(name));
  };
  const std::set<std::string> exactNames{"\xD0\xB6\xD1\x83\xD0\xBA.dll", "\xCE\xB1lpha.dll",
                                         "\xE8\x99\xAB.dll"};
  this->Put("alpha.dll", "look-alike");
  for (const std::string& name : exactNames) {
    this->Put("new.tmp", name);
    ASSERT_TRUE(files.Move(this->Path("new.tmp"), exactPath(name))) << name;
  }
  files.CreateFolder(this->Path("sub"));
  this->Put("sub\\inner.dll", "inner");
  const platform::Path cyrillicFolder = exactPath("\xD0\x96");
  ASSERT_TRUE(cyrillicFolder.HasExact());
  ASSERT_TRUE(files.Move(this->Path("sub"), cyrillicFolder));

  std::set<std::string> reached;
  const std::unique_ptr<platform::DirectorySearch> search = files.OpenSearch(this->Path("*.dll"));
  while (const std::optional<platform::FindData> entry = search->Next()) {
    const std::string exact =
        entry->exactName.empty() ? files.ExactSpelling(entry->name) : entry->exactName;
    EXPECT_EQ(files.AnsiSpelling(exact), entry->name);
    const platform::Path found =
        files.Join(this->folder_, platform::Path(entry->name, entry->exactName));
    EXPECT_EQ(files.ReadWholeFile(found), exact == "alpha.dll" ? "look-alike" : exact);
    reached.insert(exact);
  }
  std::set<std::string> expected = exactNames;
  expected.insert("alpha.dll");
  EXPECT_EQ(reached, expected);
  EXPECT_FALSE(files.FileExists(this->Path("???.dll")));
  const auto inner = files.OpenSearch(cyrillicFolder + "\\*.dll");
  ASSERT_TRUE(inner);
  EXPECT_EQ(inner->Next()->name, "inner.dll");

  const platform::Path cjk = exactPath("\xE8\x99\xAB.dll");
  ASSERT_TRUE(files.ChangeAttributes(cjk, platform::kAttributeReadOnly));
  EXPECT_NE(files.FileAttributes(cjk).value_or(0) & platform::kAttributeReadOnly, 0u);
  ASSERT_TRUE(files.ChangeAttributes(cjk, platform::kAttributeArchive));
  for (const std::string& name : exactNames) {
    EXPECT_TRUE(files.RemoveFile(exactPath(name))) << name;
  }
  EXPECT_EQ(this->Names("*.dll"), std::set<std::string>{"alpha.dll"});
  EXPECT_EQ(files.ReadWholeFile(this->Path("alpha.dll")), "look-alike");
}

// A program folder named so keeps its files as any other: whole files, replacements,
// temporary files and folders inside it, and its full and long forms, all through the
// exact spelling.
TYPED_TEST_P(FileSystemContract, FilesInAFolderTheCodePageCannotHold) {
  platform::FileSystem& files = this->files_;
  const platform::Path folder =
      files.Join(this->folder_, files.FromExact("\xE7\xA8\x8B\xE5\xBA\x8F"));
  files.CreateFolder(folder);
  EXPECT_TRUE(files.FolderExists(folder));
  if (folder.ansi != folder.exact) {
    EXPECT_FALSE(files.FolderExists(folder.ansi));
  }
  const platform::Path inside = folder + "\\";

  files.WriteWholeFile(inside + "Reference.dat", "reference");
  EXPECT_TRUE(files.FileExists(inside + "Reference.dat"));
  EXPECT_EQ(files.ReadWholeFile(inside + "Reference.dat"), "reference");
  EXPECT_EQ(files.FindFirst(inside + "Reference.dat")->size, 9u);
  files.ReplaceWholeFile(inside + "Nexolant.ini", "first");
  files.ReplaceWholeFile(inside + "Nexolant.ini", "second");
  EXPECT_EQ(files.ReadWholeFile(inside + "Nexolant.ini"), "second");

  const platform::Path temp = files.CreateTempFile(inside, "nxu");
  EXPECT_TRUE(temp.HasExact());
  EXPECT_EQ(files.ReadWholeFile(temp), "");
  EXPECT_TRUE(files.RemoveFile(temp));

  files.CreateFolder(inside + "Quarantine");
  EXPECT_TRUE(files.Move(inside + "Reference.dat", inside + "Quarantine\\Reference.dat"));
  EXPECT_TRUE(files.RemoveFile(inside + "Quarantine\\Reference.dat"));
  EXPECT_TRUE(files.RemoveFolder(inside + "Quarantine"));

  // Compared as the system compares paths: either separator, either case.
  const auto upper = [](std::string text) {
    for (char& c : text) {
      c = c == '/' ? '\\' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
  };
  const platform::Path file = inside + "Nexolant.ini";
  for (const platform::Path& made :
       {files.FullPath(folder + "\\.\\Nexolant.ini"), files.LongPath(file)}) {
    EXPECT_EQ(upper(made.exact), upper(file.exact));
    EXPECT_EQ(made.ansi, files.AnsiSpelling(made.exact));
  }
  EXPECT_EQ(this->Names("*"), std::set<std::string>{folder.ansi.substr(this->folder_.size())});
}

// An identity names the entry, whichever path reaches it, and a move keeps it; the final path
// names the entry itself, through a link on the way too.
TYPED_TEST_P(FileSystemContract, AnIdentityNamesTheEntryWhicheverPathReachesIt) {
  platform::FileSystem& files = this->files_;
  this->Put("one.txt", "1");
  this->Put("two.txt", "2");
  files.CreateFolder(this->Path("sub"));
  this->Put("sub\\three.txt", "3");
  const std::optional<platform::FileIdentity> one = files.Identity(this->Path("one.txt"));
  if (!one) {
    GTEST_SKIP() << "this implementation knows no file index";
  }
  EXPECT_NE(files.Identity(this->Path("two.txt")), one);
  EXPECT_NE(files.Identity(this->Path("sub")), one);
  EXPECT_EQ(files.Identity(this->Path("missing.txt")), std::nullopt);
  EXPECT_TRUE(files.FinalPath(this->Path("missing.txt")).Empty());
  ASSERT_TRUE(files.Move(this->Path("one.txt"), this->Path("sub\\moved.txt")).ok);
  EXPECT_EQ(files.Identity(this->Path("sub\\moved.txt")), one);

  const std::optional<platform::FileIdentity> three = files.Identity(this->Path("sub\\three.txt"));
  const platform::Path final = files.FinalPath(this->Path("sub\\three.txt"));
  ASSERT_FALSE(final.Empty());
  EXPECT_EQ(files.Identity(final), three);
  if (this->environment_.MakeFolderLink(this->Path("link"), this->Path("sub")) &&
      files.FileExists(this->Path("link\\three.txt"))) {
    EXPECT_EQ(files.Identity(this->Path("link\\three.txt")), three);
    EXPECT_EQ(files.FinalPath(this->Path("link\\three.txt")).ansi, final.ansi);
    EXPECT_NE(files.Identity(this->Path("link")), files.Identity(this->Path("sub")));
  }
}

REGISTER_TYPED_TEST_SUITE_P(
    FileSystemContract, FilesFoldersAndTheirAttributeWords,
    SearchReportsEveryEntryOnceWithItsAttributesAndSize, SearchesStayOpenSideBySideAndEndForGood,
    CreateFolderNeedsAFreeNameAndAnExistingParent, RemoveFolderRemovesOnlyEmptyFolders,
    MoveNeverReplacesAnExistingTarget, DeleteFileDeletesFilesOnly, WholeFilesKeepEveryByte,
    ReadersGiveEveryByteInPiecesAndOpenFilesOnly, ReadAndWriteFailuresThrowIoError,
    ReplaceWritesTheNewContentAndLeavesNoTemporaryFile,
    FailedReplaceKeepsTheTargetAndRemovesTheTemporaryFile,
    ReplaceRefusesMarkedTargetsAndKeepsTheAttributesOfOthers,
    TempFilesAreNewEmptyAndNamedFromThePrefix, SearchesReportHiddenAndSystemAttributes,
    ReadOnlyFilesCanBeMovedButNotChanged, FilesInUseCannotBeReadChangedMovedOrDeleted,
    FullPathResolvesDotsAndSeparators, LongPathNamesExistingPathsOnly,
    LinksCarryTheReparsePointAttribute, ExactPathsReachNamesTheCodePageCannotHold,
    FilesInAFolderTheCodePageCannotHold, AnIdentityNamesTheEntryWhicheverPathReachesIt);

}  // namespace nexolant::contracts
