#include "win32/win32_file_system.h"

#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <cstring>
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
FindData ToFindData(const WIN32_FIND_DATAW& data) {
  bool exact = true;
  std::string name = AnsiFromWide(data.cFileName, &exact);
  return FindData{std::move(name), data.dwFileAttributes,
                  (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow,
                  exact ? std::string() : Utf8FromWide(data.cFileName)};
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
template <typename Fill>
std::string FilledBuffer(Fill fill) {
  std::string buffer(MAX_PATH, '\0');
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

std::unique_ptr<platform::DirectorySearch> OpenWideSearch(const std::wstring& pattern) {
  WIN32_FIND_DATAW first;
  UniqueFindHandle search(FindFirstFileW(pattern.c_str(), &first));
  if (!search) {
    return nullptr;
  }
  return std::make_unique<Win32DirectorySearch>(std::move(search), first);
}

std::string EnvironmentValue(const char* name) {
  return FilledBuffer(
      [name](char* buffer, DWORD size) { return GetEnvironmentVariableA(name, buffer, size); });
}

}  // namespace

// Asks for the one path, never a search: "?" and "*" stay characters no name holds, so the "?"
// the code page puts for a character it lacks never matches some other file.
bool Win32FileSystem::FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::unique_ptr<platform::DirectorySearch> Win32FileSystem::OpenSearch(const std::string& pattern) {
  return OpenWideSearch(WideFromAnsi(pattern));
}

std::optional<std::uint32_t> Win32FileSystem::FileAttributes(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    return std::nullopt;
  }
  return attributes;
}

void Win32FileSystem::CreateFolder(const std::string& path) {
  if (!CreateDirectoryA(path.c_str(), nullptr)) {
    throw LastSystemError();
  }
}

platform::Outcome Win32FileSystem::RemoveFolder(const std::string& path) {
  return Record(RemoveDirectoryA(path.c_str()));
}

platform::Outcome Win32FileSystem::Move(const std::string& source, const std::string& target) {
  return Record(MoveFileA(source.c_str(), target.c_str()));
}

std::string Win32FileSystem::ReadWholeFile(const std::string& path) {
  const UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    ThrowIoError("Cannot open file ", path);
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
      ThrowIoError("Cannot read file ", path);
    }
    if (read == 0) {
      return data;
    }
    data.append(chunk, read);
  }
}

void Win32FileSystem::WriteWholeFile(const std::string& path, std::string_view data) {
  const UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    ThrowIoError("Cannot create file ", path);
  }
  WriteAll(file.get(), data, path);
}

// A file the user marked read-only, hidden or system is not silently replaced by a plain
// one: like a create-always open of it, the replace is refused. An existing target is
// replaced in one step that keeps its attributes and security; a new one is moved in place.
void Win32FileSystem::ReplaceWholeFile(const std::string& path, std::string_view data) {
  const DWORD targetAttributes = GetFileAttributesA(path.c_str());
  const bool targetExists = targetAttributes != INVALID_FILE_ATTRIBUTES;
  constexpr DWORD kKept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                          FILE_ATTRIBUTE_DIRECTORY;
  if (targetExists && (targetAttributes & kKept) != 0) {
    throw IoError("Cannot replace file " + path + ". " + SystemErrorText(ERROR_ACCESS_DENIED));
  }
  // A target held open elsewhere is refused before anything is written: ReplaceFileA would
  // fail on it only after making a backup file of its own, which some systems leave behind.
  if (targetExists) {
    const UniqueFileHandle probe(CreateFileA(path.c_str(), GENERIC_WRITE | DELETE, 0, nullptr,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe) {
      ThrowIoError("Cannot replace file ", path);
    }
  }
  std::string tempName;
  try {
    tempName = CreateTempFile(FolderOf(path), platform::kReplaceTempPrefix);
  } catch (const platform::SystemError& error) {
    throw IoError("Cannot create file " + path + ". " + error.what());
  }
  TemporaryFile temp(std::move(tempName));
  {
    const UniqueFileHandle file(CreateFileA(temp.path().c_str(), GENERIC_WRITE, 0, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
      ThrowIoError("Cannot create file ", path);
    }
    WriteAll(file.get(), data, path);
    if (!FlushFileBuffers(file.get())) {
      ThrowIoError("Cannot write file ", path);
    }
  }
  const BOOL replaced =
      targetExists ? ReplaceFileA(path.c_str(), temp.path().c_str(), nullptr,
                                  REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                   : MoveFileExA(temp.path().c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH);
  if (!replaced) {
    ThrowIoError("Cannot replace file ", path);
  }
  temp.Keep();
}

platform::Outcome Win32FileSystem::RemoveFile(const std::string& path) {
  return Record(::DeleteFileA(path.c_str()));
}

platform::Outcome Win32FileSystem::ChangeAttributes(const std::string& path,
                                                    std::uint32_t attributes) {
  return Record(SetFileAttributesA(path.c_str(), attributes));
}

std::string Win32FileSystem::TempFolder() {
  char buffer[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, buffer);
  return std::string(buffer, strnlen(buffer, sizeof buffer));
}

std::string Win32FileSystem::CreateTempFile(const std::string& folder, const std::string& prefix) {
  char name[MAX_PATH] = {};
  if (GetTempFileNameA(folder.c_str(), prefix.c_str(), 0, name) == 0) {
    throw LastSystemError();
  }
  return std::string(name, strnlen(name, sizeof name));
}

platform::DriveType Win32FileSystem::DriveTypeOf(const std::string& root) {
  const UINT type = GetDriveTypeA(root.c_str());
  return type <= DRIVE_RAMDISK ? static_cast<platform::DriveType>(type)
                               : platform::DriveType::kUnknown;
}

std::string Win32FileSystem::WindowsFolder() {
  char buffer[255] = {};
  GetWindowsDirectoryA(buffer, sizeof buffer);
  return std::string(buffer, strnlen(buffer, sizeof buffer));
}

std::string Win32FileSystem::ProgramFolder() {
  const std::string name = ExecutablePath();
  return name.substr(0, name.find_last_of("\\:") + 1);
}

std::string Win32FileSystem::ExecutablePath() {
  std::string name(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) {
      throw LastSystemError();
    }
    if (length < name.size()) {
      name.resize(length);
      break;
    }
    name.resize(name.size() * 2);
  }
  return name;
}

std::string Win32FileSystem::FullPath(const std::string& path) {
  return FilledBuffer([&path](char* buffer, DWORD size) {
    return GetFullPathNameA(path.c_str(), size, buffer, nullptr);
  });
}

std::string Win32FileSystem::LongPath(const std::string& path) {
  return FilledBuffer(
      [&path](char* buffer, DWORD size) { return GetLongPathNameA(path.c_str(), buffer, size); });
}

std::string Win32FileSystem::KnownFolderPath(platform::KnownFolder folder) {
  // A 32-bit program on 64-bit Windows is told the 32-bit Program Files folders; the system's
  // own ones are named by these variables there (and equal the usual ones elsewhere).
  if (folder == platform::KnownFolder::kProgramFiles ||
      folder == platform::KnownFolder::kCommonProgramFiles) {
    const std::string native = EnvironmentValue(
        folder == platform::KnownFolder::kProgramFiles ? "ProgramW6432" : "CommonProgramW6432");
    if (!native.empty()) {
      return native;
    }
  }
  char buffer[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathA(nullptr, static_cast<int>(folder), nullptr, SHGFP_TYPE_CURRENT,
                              buffer))) {
    return {};
  }
  return std::string(buffer, strnlen(buffer, sizeof buffer));
}

std::string Win32FileSystem::ExactSpelling(const std::string& ansi) {
  return Utf8FromWide(WideFromAnsi(ansi));
}

std::string Win32FileSystem::AnsiSpelling(const std::string& exact) {
  return AnsiFromWide(WideFromUtf8(exact));
}

std::unique_ptr<platform::DirectorySearch> Win32FileSystem::OpenExactSearch(
    const std::string& pattern) {
  return OpenWideSearch(WideFromUtf8(pattern));
}

std::optional<std::uint32_t> Win32FileSystem::ExactAttributes(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(WideFromUtf8(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    return std::nullopt;
  }
  return attributes;
}

platform::Outcome Win32FileSystem::MoveExact(const std::string& source, const std::string& target) {
  return Record(MoveFileW(WideFromUtf8(source).c_str(), WideFromUtf8(target).c_str()));
}

platform::Outcome Win32FileSystem::RemoveExactFile(const std::string& path) {
  return Record(DeleteFileW(WideFromUtf8(path).c_str()));
}

platform::Outcome Win32FileSystem::RemoveExactFolder(const std::string& path) {
  return Record(RemoveDirectoryW(WideFromUtf8(path).c_str()));
}

platform::Outcome Win32FileSystem::ChangeExactAttributes(const std::string& path,
                                                         std::uint32_t attributes) {
  return Record(SetFileAttributesW(WideFromUtf8(path).c_str(), attributes));
}

}  // namespace nexolant::win32
