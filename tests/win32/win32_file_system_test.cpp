#include "win32/win32_file_system.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "contracts/file_system_contract.h"
#include "platform/errors.h"
#include "support/scoped_folder.h"
#include "win32/system_error_text.h"
#include "win32/unique_handle.h"

namespace nexolant::win32 {
namespace {

using nexolant::testing::ScopedFolder;

using platform::DriveType;

class Win32Environment {
 public:
  static constexpr bool kWindowsSemantics = true;

  platform::FileSystem& files() { return files_; }
  std::string Folder() { return folder_.Prefix(); }
  void SetAttributes(const std::string& path, std::uint32_t attributes) {
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), attributes)) << path;
  }
  void SetReadOnly(const std::string& path) { SetAttributes(path, FILE_ATTRIBUTE_READONLY); }
  UniqueFileHandle HoldOpen(const std::string& path) {
    UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_TRUE(file) << path;
    return file;
  }
  // Wine leaves the read-only attribute to the host's permissions, which root passes.
  bool ReadOnlyFilesRefuseWrites(const std::string& path) {
    const UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
    return !file;
  }
  std::string ShortPath(const std::string& path) {
    char buffer[MAX_PATH] = {};
    const DWORD length = GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? std::string() : std::string(buffer, length);
  }
  // Needs a right that an ordinary user lacks before Windows 10's developer mode.
  bool MakeFolderLink(const std::string& link, const std::string& target) {
    return CreateSymbolicLinkA(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) != 0;
  }

 private:
  ScopedFolder folder_;
  Win32FileSystem files_;
};

}  // namespace
}  // namespace nexolant::win32

namespace nexolant::contracts {
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, FileSystemContract, win32::Win32Environment);
}  // namespace nexolant::contracts

namespace nexolant::win32 {
namespace {

TEST(Win32FileSystemTest, ProgramFolderIsTheTestsOwnFolderWithATrailingBackslash) {
  Win32FileSystem files;
  const std::string folder = files.ProgramFolder().ansi;
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '\\');
  EXPECT_TRUE(files.FileExists(folder + "win32_tests.exe")) << folder;
}

TEST(Win32FileSystemTest, WindowsAndTemporaryFoldersAsTheSystemGivesThem) {
  Win32FileSystem files;
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  EXPECT_EQ(files.WindowsFolder(), windows);
  EXPECT_TRUE(files.FolderExists(files.WindowsFolder()));
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  EXPECT_EQ(files.TempFolder(), temp);
  EXPECT_EQ(files.TempFolder().ansi.back(), '\\');
}

TEST(Win32FileSystemTest, KnownFoldersAsTheSystemNamesThem) {
  Win32FileSystem files;
  using platform::KnownFolder;
  EXPECT_EQ(files.KnownFolderPath(KnownFolder::kWindows), files.WindowsFolder());
  const std::string profile = files.KnownFolderPath(KnownFolder::kProfile).ansi;
  EXPECT_TRUE(files.FolderExists(profile)) << profile;
  for (const KnownFolder inProfile : {KnownFolder::kDesktop, KnownFolder::kDocuments,
                                      KnownFolder::kAppData, KnownFolder::kLocalAppData}) {
    const std::string folder = files.KnownFolderPath(inProfile).ansi;
    EXPECT_EQ(folder.rfind(profile + "\\", 0), 0u) << folder;
  }
  // The system's own Program Files, whatever the width of the program that asks.
  char native[MAX_PATH] = {};
  if (GetEnvironmentVariableA("ProgramW6432", native, MAX_PATH) == 0) {
    GetEnvironmentVariableA("ProgramFiles", native, MAX_PATH);
  }
  EXPECT_EQ(files.KnownFolderPath(KnownFolder::kProgramFiles), native);
  EXPECT_TRUE(files.FolderExists(files.KnownFolderPath(KnownFolder::kProgramData)));
}

TEST(Win32FileSystemTest, DriveTypesOfRoots) {
  Win32FileSystem files;
  const std::string systemRoot = files.WindowsFolder().ansi.substr(0, 3);
  std::string lowerRoot = systemRoot;
  lowerRoot[0] = static_cast<char>(lowerRoot[0] | 0x20);
  EXPECT_EQ(files.DriveTypeOf(systemRoot), DriveType::kFixed) << systemRoot;
  EXPECT_EQ(files.DriveTypeOf(lowerRoot), DriveType::kFixed) << lowerRoot;
  EXPECT_EQ(files.DriveTypeOf("1:\\"), DriveType::kNoRootDir);
  const DWORD drives = GetLogicalDrives();
  for (int letter = 0; letter < 26; ++letter) {
    if ((drives & (1u << letter)) == 0) {
      const std::string absent = std::string(1, static_cast<char>('A' + letter)) + ":\\";
      EXPECT_EQ(files.DriveTypeOf(absent), DriveType::kNoRootDir) << absent;
      break;
    }
  }
}

TEST(Win32FileSystemTest, ADriveRootSearchReportsNoDotEntries) {
  Win32FileSystem files;
  const auto search = files.OpenSearch(files.WindowsFolder().ansi.substr(0, 3) + "*");
  ASSERT_TRUE(search);
  while (const auto entry = search->Next()) {
    EXPECT_NE(entry->name, ".");
    EXPECT_NE(entry->name, "..");
  }
}

TEST(Win32FileSystemTest, FailuresCarryTheSystemsTextWithoutTheLineBreak) {
  ScopedFolder folder;
  Win32FileSystem files;
  try {
    files.CreateTempFile(folder.File("missing\\"), "abc");
    ADD_FAILURE() << "no error";
  } catch (const platform::SystemError& error) {
    char raw[1024] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   error.code(), 0, raw, sizeof raw, nullptr);
    EXPECT_EQ(std::string(error.what()) + "\r\n", raw);
  }
  try {
    files.ReadWholeFile(folder.File("missing.dat"));
    ADD_FAILURE() << "no error";
  } catch (const platform::IoError& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot open file " + folder.File("missing.dat") + ". " +
                                             SystemErrorText(ERROR_FILE_NOT_FOUND));
  }
}

TEST(Win32FileSystemTest, SystemErrorTextKeepsTheFinalFullStop) {
  const std::string text = SystemErrorText(ERROR_ACCESS_DENIED);
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text.back(), '\n');
  EXPECT_EQ(text.back(), '.');
}

}  // namespace
}  // namespace nexolant::win32
