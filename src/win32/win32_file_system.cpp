#include "win32/win32_file_system.h"

#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <span>
#include <utility>

#include "platform/errors.h"
#include "win32/system_error_text.h"
#include "win32/temporary_file.h"
#include "win32/unique_handle.h"
#include "win32/wide_names.h"

namespace nexolant::win32 {
namespace {

using platform::FindData;
using platform::IoError;

// Reads the last error at once, before any clean-up on the way out can change it.
[[noreturn]] void ThrowIoError(const char* what, const std::string& path) {
  const DWORD code = GetLastError();
  throw IoError(what + path + ". " + SystemErrorText(code));
}

// The outcome of a call, with the calling thread's last error when it failed.
platform::Outcome Record(BOOL ok) {
  return ok ? platform::Outcome{} : platform::Outcome::Failure(GetLastError());
}

// The search runs on the wide functions, so that a name the code page cannot hold comes with
// its exact spelling beside the ANSI one.
// A file time of the system (UTC) as a local date-time; 0 for no time.
platform::DateTime LocalDateTime(const FILETIME& time) {
  FILETIME local;
  SYSTEMTIME parts;
  if ((time.dwLowDateTime == 0 && time.dwHighDateTime == 0) ||
      !FileTimeToLocalFileTime(&time, &local) || !FileTimeToSystemTime(&local, &parts)) {
    return 0;
  }
  const double seconds =
      parts.wHour * 3600.0 + parts.wMinute * 60.0 + parts.wSecond + parts.wMilliseconds / 1000.0;
  return platform::DateOf(parts.wYear, parts.wMonth, parts.wDay) + seconds / 86400.0;
}

FindData ToFindData(const WIN32_FIND_DATAW& data) {
  bool exact = true;
  std::string name = AnsiFromWide(data.cFileName, &exact);
  return FindData{std::move(name),
                  data.dwFileAttributes,
                  (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow,
                  exact ? std::string() : Utf8FromWide(data.cFileName),
                  (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
                      data.ftLastWriteTime.dwLowDateTime,
                  LocalDateTime(data.ftCreationTime),
                  LocalDateTime(data.ftLastWriteTime)};
}

// FindFirstFileW hands over the first entry when it opens the search; Next gives it out
// before asking FindNextFileW for more.
class Win32DirectorySearch : public platform::DirectorySearch {
 public:
  Win32DirectorySearch(UniqueFindHandle handle, const WIN32_FIND_DATAW& first)
      : handle_(std::move(handle)), pending_(ToFindData(first)) {}

  std::optional<FindData> Next() override {
    if (pending_) {
      return std::exchange(pending_, std::nullopt);
    }
    WIN32_FIND_DATAW data;
    if (!handle_ || !FindNextFileW(handle_.get(), &data)) {
      handle_.reset();
      return std::nullopt;
    }
    return ToFindData(data);
  }

 private:
  UniqueFindHandle handle_;
  std::optional<FindData> pending_;
};

void WriteAll(HANDLE file, std::string_view data, const std::string& path) {
  constexpr std::size_t kChunk = 1 << 20;
  while (!data.empty()) {
    const DWORD wanted = static_cast<DWORD>(std::min(data.size(), kChunk));
    DWORD written = 0;
    if (!WriteFile(file, data.data(), wanted, &written, nullptr)) {
      ThrowIoError("Cannot write file ", path);
    }
    if (written != wanted) {
      SetLastError(ERROR_DISK_FULL);
      ThrowIoError("Cannot write file ", path);
    }
    data.remove_prefix(written);
  }
}

// Calls an API that fills a buffer of a given size and answers the length written, or the
// size it needs when the buffer is too small; empty on failure.
template <typename Char, typename Fill>
std::basic_string<Char> FilledBuffer(Fill fill) {
  std::basic_string<Char> buffer(MAX_PATH, Char{});
  for (int attempt = 0; attempt < 3; ++attempt) {
    const DWORD length = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) {
      return {};
    }
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(length + 1);
  }
  return {};
}

// A path an API makes of another: through the ANSI function for a path without an exact
// spelling, the wide one for a path with one.
template <typename Ansi, typename Wide>
platform::Path PathMadeOf(const platform::Path& path, Ansi ansi, Wide wide) {
  if (!path.HasExact()) {
    return FilledBuffer<char>(
        [&](char* buffer, DWORD size) { return ansi(path.ansi.c_str(), size, buffer); });
  }
  const std::wstring exact = WideFromUtf8(path.exact);
  return PathFromWide(FilledBuffer<wchar_t>(
      [&](wchar_t* buffer, DWORD size) { return wide(exact.c_str(), size, buffer); }));
}

std::unique_ptr<platform::DirectorySearch> OpenWideSearch(const std::wstring& pattern) {
  WIN32_FIND_DATAW first;
  UniqueFindHandle search(FindFirstFileW(pattern.c_str(), &first));
  if (!search) {
    return nullptr;
  }
  return std::make_unique<Win32DirectorySearch>(std::move(search), first);
}

std::wstring EnvironmentValue(const wchar_t* name) {
  return FilledBuffer<wchar_t>(
      [name](wchar_t* buffer, DWORD size) { return GetEnvironmentVariableW(name, buffer, size); });
}

UniqueFileHandle OpenFile(const platform::Path& path, DWORD access, DWORD share, DWORD disposition,
                          DWORD flags = FILE_ATTRIBUTE_NORMAL) {
  return UniqueFileHandle(OnPath(
      path,
      [&](const char* name) {
        return CreateFileA(name, access, share, nullptr, disposition, flags, nullptr);
      },
      [&](const wchar_t* name) {
        return CreateFileW(name, access, share, nullptr, disposition, flags, nullptr);
      }));
}

class Win32FileReader final : public platform::FileReader {
 public:
  Win32FileReader(UniqueFileHandle file, std::uint64_t size)
      : file_(std::move(file)), size_(size) {}

  std::uint64_t Size() const override { return size_; }

  std::optional<std::size_t> Read(std::span<char> buffer) override {
    const auto wanted = static_cast<DWORD>(std::min<std::size_t>(buffer.size(), MAXDWORD));
    DWORD read = 0;
    if (!ReadFile(file_.get(), buffer.data(), wanted, &read, nullptr)) {
      return std::nullopt;
    }
    return read;
  }

 private:
  UniqueFileHandle file_;
  std::uint64_t size_;
};

// The file or folder itself for reading its attributes: a folder opens too, a link is not
// followed, and no other program's sharing refuses it.
UniqueFileHandle OpenObject(const platform::Path& path) {
  constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  constexpr DWORD kFlags = FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT;
  return UniqueFileHandle(OnPath(
      path,
      [](const char* name) {
        return CreateFileA(name, FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING, kFlags,
                           nullptr);
      },
      [](const wchar_t* name) {
        return CreateFileW(name, FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING, kFlags,
                           nullptr);
      }));
}

// A final path without the prefix of the system's own namespace: "\\?\C:\..." gives
// "C:\...", "\\?\UNC\server\share" gives "\\server\share".
std::wstring WithoutNamespace(std::wstring path) {
  constexpr std::wstring_view kShare = L"\\\\?\\UNC\\";
  constexpr std::wstring_view kLocal = L"\\\\?\\";
  if (path.starts_with(kShare)) {
    return L"\\\\" + path.substr(kShare.size());
  }
  if (path.starts_with(kLocal)) {
    return path.substr(kLocal.size());
  }
  return path;
}

std::optional<std::uint32_t> AttributesOf(const platform::Path& path) {
  const DWORD attributes = OnPath(path, GetFileAttributesA, GetFileAttributesW);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    return std::nullopt;
  }
  return attributes;
}

}  // namespace

// Asks for the one path, never a search: "?" and "*" stay characters no name holds, so the "?"
// the code page puts for a character it lacks never matches some other file.
bool Win32FileSystem::FileExists(const platform::Path& path) {
  const std::optional<std::uint32_t> attributes = AttributesOf(path);
  return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::unique_ptr<platform::DirectorySearch> Win32FileSystem::OpenSearch(
    const platform::Path& pattern) {
  return OpenWideSearch(WideOf(pattern));
}

std::optional<std::uint32_t> Win32FileSystem::FileAttributes(const platform::Path& path) {
  return AttributesOf(path);
}

void Win32FileSystem::CreateFolder(const platform::Path& path) {
  if (!OnPath(
          path, [](const char* name) { return CreateDirectoryA(name, nullptr); },
          [](const wchar_t* name) { return CreateDirectoryW(name, nullptr); })) {
    throw LastSystemError();
  }
}

platform::Outcome Win32FileSystem::RemoveFolder(const platform::Path& path) {
  return Record(OnPath(path, RemoveDirectoryA, RemoveDirectoryW));
}

platform::Outcome Win32FileSystem::Move(const platform::Path& source,
                                        const platform::Path& target) {
  if (source.HasExact() || target.HasExact()) {
    return Record(MoveFileW(WideOf(source).c_str(), WideOf(target).c_str()));
  }
  return Record(MoveFileA(source.ansi.c_str(), target.ansi.c_str()));
}

std::string Win32FileSystem::ReadWholeFile(const platform::Path& path) {
  const UniqueFileHandle file =
      OpenFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
  if (!file) {
    ThrowIoError("Cannot open file ", path.ansi);
  }
  std::string data;
  LARGE_INTEGER size;
  if (GetFileSizeEx(file.get(), &size) &&
      static_cast<std::uint64_t>(size.QuadPart) < data.max_size()) {
    data.reserve(static_cast<std::size_t>(size.QuadPart));
  }
  char chunk[65536];
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr)) {
      ThrowIoError("Cannot read file ", path.ansi);
    }
    if (read == 0) {
      return data;
    }
    data.append(chunk, read);
  }
}

// The link itself is opened, not what it names, and refused once it is seen to be one; a
// folder cannot be opened without backup semantics.
std::unique_ptr<platform::FileReader> Win32FileSystem::OpenReader(const platform::Path& path) {
  UniqueFileHandle file =
      OpenFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT);
  BY_HANDLE_FILE_INFORMATION information;
  if (!file || !GetFileInformationByHandle(file.get(), &information) ||
      (information.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) !=
          0) {
    return nullptr;
  }
  const std::uint64_t size =
      (std::uint64_t{information.nFileSizeHigh} << 32) | information.nFileSizeLow;
  return std::make_unique<Win32FileReader>(std::move(file), size);
}

void Win32FileSystem::WriteWholeFile(const platform::Path& path, std::string_view data) {
  const UniqueFileHandle file = OpenFile(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
  if (!file) {
    ThrowIoError("Cannot create file ", path.ansi);
  }
  WriteAll(file.get(), data, path.ansi);
}

// A file the user marked read-only, hidden or system is not silently replaced by a plain
// one: like a create-always open of it, the replace is refused. An existing target is
// replaced in one step that keeps its attributes and security; a new one is moved in place.
void Win32FileSystem::ReplaceWholeFile(const platform::Path& path, std::string_view data) {
  const std::optional<std::uint32_t> targetAttributes = AttributesOf(path);
  const bool targetExists = targetAttributes.has_value();
  constexpr DWORD kKept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                          FILE_ATTRIBUTE_DIRECTORY;
  if (targetExists && (*targetAttributes & kKept) != 0) {
    throw IoError("Cannot replace file " + path.ansi + ". " + SystemErrorText(ERROR_ACCESS_DENIED));
  }
  // A target held open elsewhere is refused before anything is written: ReplaceFile would
  // fail on it only after making a backup file of its own, which some systems leave behind.
  if (targetExists && !OpenFile(path, GENERIC_WRITE | DELETE, 0, OPEN_EXISTING)) {
    ThrowIoError("Cannot replace file ", path.ansi);
  }
  platform::Path tempName;
  try {
    tempName = CreateTempFile(FolderOf(path), platform::kReplaceTempPrefix);
  } catch (const platform::SystemError& error) {
    throw IoError("Cannot create file " + path.ansi + ". " + error.what());
  }
  TemporaryFile temp(std::move(tempName));
  {
    const UniqueFileHandle file = OpenFile(temp.path(), GENERIC_WRITE, 0, OPEN_EXISTING);
    if (!file) {
      ThrowIoError("Cannot create file ", path.ansi);
    }
    WriteAll(file.get(), data, path.ansi);
    if (!FlushFileBuffers(file.get())) {
      ThrowIoError("Cannot write file ", path.ansi);
    }
  }
  BOOL replaced = FALSE;
  if (path.HasExact()) {
    const std::wstring target = WideOf(path);
    const std::wstring source = WideOf(temp.path());
    replaced = targetExists ? ReplaceFileW(target.c_str(), source.c_str(), nullptr,
                                           REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                            : MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
  } else {
    const char* source = temp.path().ansi.c_str();
    replaced = targetExists ? ReplaceFileA(path.ansi.c_str(), source, nullptr,
                                           REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                            : MoveFileExA(source, path.ansi.c_str(), MOVEFILE_WRITE_THROUGH);
  }
  if (!replaced) {
    ThrowIoError("Cannot replace file ", path.ansi);
  }
  temp.Keep();
}

platform::Outcome Win32FileSystem::RemoveFile(const platform::Path& path) {
  return Record(OnPath(path, ::DeleteFileA, ::DeleteFileW));
}

platform::Outcome Win32FileSystem::ChangeAttributes(const platform::Path& path,
                                                    std::uint32_t attributes) {
  return Record(OnPath(
      path, [attributes](const char* name) { return SetFileAttributesA(name, attributes); },
      [attributes](const wchar_t* name) { return SetFileAttributesW(name, attributes); }));
}

platform::Path Win32FileSystem::TempFolder() {
  wchar_t buffer[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, buffer);
  return PathFromWide(buffer);
}

platform::Path Win32FileSystem::CreateTempFile(const platform::Path& folder,
                                               const std::string& prefix) {
  if (folder.HasExact()) {
    wchar_t name[MAX_PATH] = {};
    if (GetTempFileNameW(WideOf(folder).c_str(), WideFromAnsi(prefix).c_str(), 0, name) == 0) {
      throw LastSystemError();
    }
    return PathFromWide(name);
  }
  char name[MAX_PATH] = {};
  if (GetTempFileNameA(folder.ansi.c_str(), prefix.c_str(), 0, name) == 0) {
    throw LastSystemError();
  }
  return std::string(name, strnlen(name, sizeof name));
}

platform::DriveType Win32FileSystem::DriveTypeOf(const std::string& root) {
  const UINT type = GetDriveTypeA(root.c_str());
  return type <= DRIVE_RAMDISK ? static_cast<platform::DriveType>(type)
                               : platform::DriveType::kUnknown;
}

platform::Path Win32FileSystem::WindowsFolder() {
  wchar_t buffer[255] = {};
  GetWindowsDirectoryW(buffer, sizeof buffer / sizeof *buffer);
  return PathFromWide(buffer);
}

platform::Path Win32FileSystem::ProgramFolder() {
  const platform::Path program = ExecutablePath();
  const auto folder = [](const std::string& name) {
    return name.substr(0, name.find_last_of("\\:") + 1);
  };
  return platform::Path(folder(program.ansi), folder(program.exact));
}

platform::Path Win32FileSystem::ExecutablePath() {
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) {
      throw LastSystemError();
    }
    if (length < name.size()) {
      name.resize(length);
      break;
    }
    name.resize(name.size() * 2);
  }
  return PathFromWide(name);
}

platform::Path Win32FileSystem::FullPath(const platform::Path& path) {
  return PathMadeOf(
      path,
      [](const char* name, DWORD size, char* buffer) {
        return GetFullPathNameA(name, size, buffer, nullptr);
      },
      [](const wchar_t* name, DWORD size, wchar_t* buffer) {
        return GetFullPathNameW(name, size, buffer, nullptr);
      });
}

platform::Path Win32FileSystem::LongPath(const platform::Path& path) {
  return PathMadeOf(
      path,
      [](const char* name, DWORD size, char* buffer) {
        return GetLongPathNameA(name, buffer, size);
      },
      [](const wchar_t* name, DWORD size, wchar_t* buffer) {
        return GetLongPathNameW(name, buffer, size);
      });
}

std::optional<platform::FileIdentity> Win32FileSystem::Identity(const platform::Path& path) {
  const UniqueFileHandle object = OpenObject(path);
  BY_HANDLE_FILE_INFORMATION information;
  if (!object || !GetFileInformationByHandle(object.get(), &information)) {
    return std::nullopt;
  }
  return platform::FileIdentity{
      information.dwVolumeSerialNumber,
      (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow,
      (std::uint64_t{information.ftLastWriteTime.dwHighDateTime} << 32) |
          information.ftLastWriteTime.dwLowDateTime};
}

platform::Path Win32FileSystem::FinalPath(const platform::Path& path) {
  const UniqueFileHandle object = OpenObject(path);
  if (!object) {
    return {};
  }
  const std::wstring final = FilledBuffer<wchar_t>([&](wchar_t* buffer, DWORD size) {
    return GetFinalPathNameByHandleW(object.get(), buffer, size,
                                     FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  });
  return final.empty() ? platform::Path() : PathFromWide(WithoutNamespace(final));
}

platform::Path Win32FileSystem::KnownFolderPath(platform::KnownFolder folder) {
  // A 32-bit program on 64-bit Windows is told the 32-bit Program Files folders; the system's
  // own ones are named by these variables there (and equal the usual ones elsewhere).
  if (folder == platform::KnownFolder::kProgramFiles ||
      folder == platform::KnownFolder::kCommonProgramFiles) {
    const std::wstring native = EnvironmentValue(
        folder == platform::KnownFolder::kProgramFiles ? L"ProgramW6432" : L"CommonProgramW6432");
    if (!native.empty()) {
      return PathFromWide(native);
    }
  }
  wchar_t buffer[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, static_cast<int>(folder), nullptr, SHGFP_TYPE_CURRENT,
                              buffer))) {
    return {};
  }
  return PathFromWide(buffer);
}

std::string Win32FileSystem::ExactSpelling(const std::string& ansi) {
  return Utf8FromWide(WideFromAnsi(ansi));
}

std::string Win32FileSystem::AnsiSpelling(const std::string& exact) {
  return AnsiFromWide(WideFromUtf8(exact));
}

}  // namespace nexolant::win32
