#include <windows.h>
#include <winioctl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/portable/cp1252_locale.h"
#include "protection/protection_policy.h"
#include "support/scoped_folder.h"
#include "win32/unique_handle.h"
#include "win32/win32_file_system.h"
#include "win32/win32_processes.h"
#include "win32/win32_registry.h"
#include "win32/win32_signature_evidence.h"

namespace nexolant::win32 {
namespace {

using nexolant::testing::ScopedFolder;

// Wine's mount manager maps a drive letter to a folder of the host, as its configuration tool
// does; these are its request and record.
constexpr DWORD kDefineHostDrive =
    CTL_CODE(0x6D, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
struct HostDrive {
  ULONG size;
  ULONG type;
  ULONG fsType;
  DWORD serial;
  ULONGLONG hostDevice;
  WCHAR letter;
  USHORT mountPointOffset;
  USHORT deviceOffset;
  USHORT labelOffset;
};

bool SameText(const std::string& a, const std::string& b) {
  return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                        b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

// A free drive letter mapped to a folder for the test's duration: by the system's own mapping
// where it reaches files (Windows), else by Wine's mount manager. None where neither can.
class MappedDrive {
 public:
  explicit MappedDrive(const std::string& folder) {
    const DWORD used = GetLogicalDrives();
    for (char letter = 'Y'; letter >= 'M' && letter_ == 0; --letter) {
      if ((used & (1u << (letter - 'A'))) == 0) {
        letter_ = letter;
      }
    }
    const std::string device = std::string(1, letter_) + ":";
    if (letter_ == 0) {
      return;
    }
    if (DefineDosDeviceA(0, device.c_str(), folder.c_str()) && Reaches(folder)) {
      return;
    }
    DefineDosDeviceA(DDD_REMOVE_DEFINITION, device.c_str(), nullptr);
    host_ = true;
    if (!DefineOnHost(HostName(folder)) || !Reaches(folder)) {
      letter_ = 0;
    }
  }
  ~MappedDrive() {
    if (letter_ != 0 && host_) {
      DefineOnHost({});
    } else if (letter_ != 0) {
      DefineDosDeviceA(DDD_REMOVE_DEFINITION, (std::string(1, letter_) + ":").c_str(), nullptr);
    }
  }
  MappedDrive(const MappedDrive&) = delete;
  MappedDrive& operator=(const MappedDrive&) = delete;

  bool Mapped() const { return letter_ != 0; }
  std::string Root() const { return std::string(1, letter_) + ":\\"; }

 private:
  bool Reaches(const std::string& folder) const {
    return GetDriveTypeA(Root().c_str()) == DRIVE_FIXED &&
           files_.Identity(Root()) == files_.Identity(folder);
  }

  // The folder's name on the host; empty outside Wine.
  static std::string HostName(const std::string& folder) {
    using UnixName = char* CDECL(LPCWSTR);
    const auto unixName = reinterpret_cast<UnixName*>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (unixName == nullptr) {
      return {};
    }
    std::wstring wide(folder.begin(), folder.end());
    char* name = unixName(wide.c_str());
    if (name == nullptr) {
      return {};
    }
    std::string result(name);
    HeapFree(GetProcessHeap(), 0, name);
    return result;
  }

  // Maps the letter to hostFolder, or removes the mapping when it is empty.
  bool DefineOnHost(const std::string& hostFolder) const {
    if (letter_ == 0 || (!hostFolder.empty() && hostFolder.front() != '/')) {
      return false;
    }
    const UniqueFileHandle manager(
        CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!manager) {
      return false;
    }
    std::vector<char> request(sizeof(HostDrive) + hostFolder.size() + 1);
    HostDrive drive{};
    drive.size = static_cast<ULONG>(request.size());
    drive.type = hostFolder.empty() ? DRIVE_NO_ROOT_DIR : DRIVE_FIXED;
    drive.letter = static_cast<WCHAR>(letter_ - 'A' + 'a');
    drive.mountPointOffset = hostFolder.empty() ? 0 : static_cast<USHORT>(sizeof(HostDrive));
    std::memcpy(request.data(), &drive, sizeof drive);
    std::memcpy(request.data() + sizeof drive, hostFolder.c_str(), hostFolder.size() + 1);
    DWORD returned = 0;
    return DeviceIoControl(manager.get(), kDefineHostDrive, request.data(),
                           static_cast<DWORD>(request.size()), nullptr, 0, &returned, nullptr) != 0;
  }

  mutable Win32FileSystem files_;
  char letter_ = 0;
  bool host_ = false;
};

// A junction at link leading to target; false where the file system makes none (Wine 8).
bool MakeJunction(const std::string& link, const std::string& target) {
  if (!CreateDirectoryA(link.c_str(), nullptr)) {
    return false;
  }
  const UniqueFileHandle folder(
      CreateFileA(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  const std::wstring substitute = L"\\??\\" + std::wstring(target.begin(), target.end());
  const std::wstring print(target.begin(), target.end());
  const USHORT substituteBytes = static_cast<USHORT>(substitute.size() * sizeof(wchar_t));
  const USHORT printBytes = static_cast<USHORT>(print.size() * sizeof(wchar_t));
  // The mount-point record: tag, length, four offsets and lengths, then both names.
  std::vector<char> record(16 + substituteBytes + printBytes + 2 * sizeof(wchar_t));
  const DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
  const USHORT lengths[] = {static_cast<USHORT>(record.size() - 8),
                            0,
                            0,
                            substituteBytes,
                            static_cast<USHORT>(substituteBytes + sizeof(wchar_t)),
                            printBytes};
  std::memcpy(record.data(), &tag, sizeof tag);
  std::memcpy(record.data() + 4, lengths, sizeof lengths);
  std::memcpy(record.data() + 16, substitute.c_str(), substituteBytes + sizeof(wchar_t));
  std::memcpy(record.data() + 16 + substituteBytes + sizeof(wchar_t), print.c_str(),
              printBytes + sizeof(wchar_t));
  DWORD returned = 0;
  if (!folder ||
      !DeviceIoControl(folder.get(), FSCTL_SET_REPARSE_POINT, record.data(),
                       static_cast<DWORD>(record.size()), nullptr, 0, &returned, nullptr)) {
    platform::BestEffort(Win32FileSystem().RemoveFolder(link));  // the plain folder it made
    return false;
  }
  return true;
}

class OtherNamesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CreateDirectoryA(place_.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((place_ + "\\sub").c_str(), nullptr));
    files_.WriteWholeFile(file_, "content");
  }

  void ExpectSameEntry(const std::string& other, const std::string& own) {
    SCOPED_TRACE(other + " and " + own);
    ASSERT_TRUE(files_.Identity(own).has_value());
    EXPECT_EQ(files_.Identity(other), files_.Identity(own));
    EXPECT_TRUE(SameText(files_.FinalPath(other).ansi, files_.FinalPath(own).ansi))
        << files_.FinalPath(other).ansi << " and " << files_.FinalPath(own).ansi;
  }

  ScopedFolder scratch_;
  Win32FileSystem files_;
  const std::string place_ = scratch_.Prefix() + "place";
  const std::string file_ = place_ + "\\sub\\file.txt";
};

TEST_F(OtherNamesTest, ADriveLetterMappedToAFolderReachesTheSameEntries) {
  const MappedDrive drive(place_);
  if (!drive.Mapped()) {
    GTEST_SKIP() << "no drive letter can be mapped here";
  }
  ExpectSameEntry(drive.Root(), place_);
  ExpectSameEntry(drive.Root() + "sub\\file.txt", file_);
  EXPECT_NE(files_.Identity(drive.Root()), files_.Identity(scratch_.Prefix()));
}

// Wine offers no share of a drive: the path reaches nothing there, never another entry.
TEST_F(OtherNamesTest, ANetworkPathToTheSystemDriveReachesTheSameEntryOrNone) {
  const std::string share = "\\\\localhost\\C$\\" + file_.substr(3);
  ASSERT_TRUE(SameText(file_.substr(0, 3), "C:\\")) << file_;
  if (!files_.Identity(share)) {
    GTEST_SKIP() << "no share of C: here";
  }
  ExpectSameEntry(share, file_);
}

TEST_F(OtherNamesTest, AJunctionOnTheWayReachesTheSameEntries) {
  const std::string link = scratch_.Prefix() + "junction";
  if (!MakeJunction(link, place_)) {
    GTEST_SKIP() << "no junctions on this file system";
  }
  ExpectSameEntry(link + "\\sub\\file.txt", file_);
  EXPECT_NE(files_.Identity(link), files_.Identity(place_));
}

// The policy over the real services: the system folder and the program's folder under a second
// drive letter are protected as they are under their own names, by a walk from the drive's root
// too.
TEST(OtherNamesPolicyTest, ProtectedFoldersUnderASecondDriveLetterStayProtected) {
  Win32FileSystem files;
  const platform::Cp1252Locale locale;
  Win32Registry registry;
  Win32ProcessApi processes;
  const Win32SignatureEvidence evidence;
  const std::string program = files.ExecutablePath().ansi;
  const std::string programName = program.substr(program.rfind('\\') + 1);
  {
    const MappedDrive system(files.KnownFolderPath(platform::KnownFolder::kSystem).ansi);
    const MappedDrive own(files.ProgramFolder().ansi);
    if (!system.Mapped() || !own.Mapped()) {
      GTEST_SKIP() << "no drive letter can be mapped here";
    }
    const protection::ProtectionPolicy policy({.files = files,
                                               .registry = registry,
                                               .locale = locale,
                                               .ownProcessId = GetCurrentProcessId(),
                                               .processes = processes,
                                               .evidence = evidence});
    EXPECT_TRUE(policy.IsProtectedPath(system.Root() + "kernel32.dll"));
    EXPECT_TRUE(policy.IsProtectedBelow(policy.WalkStartOf(system.Root()), "kernel32.dll"));
    EXPECT_FALSE(policy.IsProtectedBelow(policy.WalkStartOf(system.Root()), "adware.dll"));
    EXPECT_TRUE(policy.IsProtectedPath(own.Root() + programName));
    EXPECT_TRUE(policy.IsProtectedBelow(policy.WalkStartOf(own.Root()), programName));
  }
}

}  // namespace
}  // namespace nexolant::win32
