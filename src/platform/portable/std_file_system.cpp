#include "platform/portable/std_file_system.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <span>
#include <system_error>
#include <utility>

#include "platform/errors.h"
#include "platform/portable/std_directory_search.h"

#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace nexolant::platform {
namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder.back() == '/' || folder.back() == '\\') {
    return folder + name;
  }
  return folder + kSeparator + name;
}

std::string ErrorText(int error) {
  return std::generic_category().message(error);
}

// Creates a new empty file, failing when the name exists; 0 on success, else the errno value.
int CreateExclusive(const fs::path& path) {
#ifdef _WIN32
  const int fd =
      _wopen(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (fd < 0) {
    return errno;
  }
  _close(fd);
#else
  const int fd = ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
  if (fd < 0) {
    return errno;
  }
  ::close(fd);
#endif
  return 0;
}

// A new empty file named prefix (first three characters), four hex digits and ".tmp",
// trying the numbers in turn from a random start; throws SystemError on failure.
Path CreateUniqueFile(const Path& folder, const std::string& prefix) {
  const std::string stem = prefix.substr(0, 3);
  const unsigned start = std::random_device{}();
  for (unsigned step = 0; step < 0x10000; ++step) {
    const unsigned number = (start + step) & 0xFFFF;
    if (number == 0) {
      continue;
    }
    char digits[5];
    std::snprintf(digits, sizeof digits, "%04X", number);
    const std::string name = stem + digits + ".tmp";
    Path path(JoinPath(folder.ansi, name), folder.HasExact() ? JoinPath(folder.exact, name) : "");
    const int error = CreateExclusive(NativePath(path));
    if (error == 0) {
      return path;
    }
    if (error != EEXIST) {
      throw SystemError(static_cast<unsigned long>(error), ErrorText(error));
    }
  }
  throw SystemError(EEXIST, ErrorText(EEXIST));
}

void WriteAll(const fs::path& path, std::string_view data, const std::string& nameForError) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) {
    throw IoError("Cannot create file " + nameForError);
  }
  out.write(data.data(), static_cast<std::streamsize>(data.size()));
  out.close();
  if (!out) {
    throw IoError("Cannot write file " + nameForError);
  }
}

// Removes a temporary file on every way out unless it was released.
class TempFileGuard {
 public:
  explicit TempFileGuard(fs::path path) : path_(std::move(path)) {}
  ~TempFileGuard() {
    if (active_) {
      std::error_code ignored;
      fs::remove(path_, ignored);
    }
  }
  TempFileGuard(const TempFileGuard&) = delete;
  TempFileGuard& operator=(const TempFileGuard&) = delete;

  void Release() { active_ = false; }

 private:
  fs::path path_;
  bool active_ = true;
};

// The failure with the error's Windows code.
Outcome Fail(std::error_code error) {
  if (error == std::errc::no_such_file_or_directory) {
    return Outcome::Failure(kErrorFileNotFound);
  }
  if (error == std::errc::file_exists) {
    return Outcome::Failure(kErrorAlreadyExists);
  }
  if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted ||
      error == std::errc::directory_not_empty || error == std::errc::is_a_directory) {
    return Outcome::Failure(kErrorAccessDenied);
  }
  return Outcome::Failure(static_cast<std::uint32_t>(error.value()));
}

// A result spelled as the path it came from: exactly when that was.
Path SpelledAs(const fs::path& result, const Path& from, FileSystem& files) {
  if (!from.HasExact()) {
    return Path(result.string());
  }
  return files.FromExact(Utf8Of(result));
}

// Reads through an open file descriptor, which it owns from construction.
class StdFileReader final : public FileReader {
 public:
  explicit StdFileReader(int fd) : fd_(fd) {
#ifdef _WIN32
    struct _stat64 status;
    regular_ = _fstat64(fd_, &status) == 0 && (status.st_mode & _S_IFREG) != 0;
#else
    struct stat status;
    regular_ = ::fstat(fd_, &status) == 0 && S_ISREG(status.st_mode);
#endif
    size_ = regular_ ? static_cast<std::uint64_t>(status.st_size) : 0;
  }
  ~StdFileReader() override {
#ifdef _WIN32
    _close(fd_);
#else
    ::close(fd_);
#endif
  }
  StdFileReader(const StdFileReader&) = delete;
  StdFileReader& operator=(const StdFileReader&) = delete;

  bool IsRegularFile() const {
    return regular_;
  }
  std::uint64_t Size() const override {
    return size_;
  }

  std::optional<std::size_t> Read(std::span<char> buffer) override {
    const std::size_t wanted = std::min<std::size_t>(buffer.size(), 1 << 30);
#ifdef _WIN32
    const int read = _read(fd_, buffer.data(), static_cast<unsigned>(wanted));
#else
    const ssize_t read = ::read(fd_, buffer.data(), wanted);
#endif
    if (read < 0) {
      return std::nullopt;
    }
    return static_cast<std::size_t>(read);
  }

 private:
  int fd_;
  bool regular_ = false;
  std::uint64_t size_ = 0;
};

}  // namespace

bool StdFileSystem::FileExists(const Path& path) {
  std::error_code error;
  const fs::file_status status = fs::status(NativePath(path), error);
  return !error && fs::exists(status) && !fs::is_directory(status);
}

std::unique_ptr<DirectorySearch> StdFileSystem::OpenSearch(const Path& pattern) {
  return OpenStdSearch(pattern);
}

std::optional<std::uint32_t> StdFileSystem::FileAttributes(const Path& path) {
  const fs::path native = NativePath(path);
  std::error_code error;
  const fs::file_status link = fs::symlink_status(native, error);
  if (error || !fs::exists(link)) {
    return std::nullopt;
  }
  if (!fs::is_symlink(link)) {
    return Describe({}, native, link, false).attributes;
  }
  std::error_code targetError;
  return Describe({}, native, fs::status(native, targetError), true).attributes;
}

void StdFileSystem::CreateFolder(const Path& path) {
  std::error_code error;
  if (!fs::create_directory(NativePath(path), error) && !error) {
    error = std::make_error_code(std::errc::file_exists);
  }
  if (error) {
    throw SystemError(static_cast<unsigned long>(error.value()), error.message());
  }
}

Outcome StdFileSystem::RemoveFolder(const Path& path) {
  const fs::path native = NativePath(path);
  std::error_code error;
  if (!fs::is_directory(fs::symlink_status(native, error))) {
    return Fail(std::make_error_code(std::errc::no_such_file_or_directory));
  }
  if (fs::remove(native, error) && !error) {
    return {};
  }
  return Fail(error);
}

Outcome StdFileSystem::Move(const Path& source, const Path& target) {
  const fs::path to = NativePath(target);
  std::error_code error;
  if (fs::exists(fs::symlink_status(to, error))) {
    return Fail(std::make_error_code(std::errc::file_exists));
  }
  fs::rename(NativePath(source), to, error);
  return error ? Fail(error) : Outcome{};
}

std::string StdFileSystem::ReadWholeFile(const Path& path) {
  const fs::path native = NativePath(path);
  std::error_code error;
  if (fs::is_directory(native, error)) {
    throw IoError("Cannot open file " + path.ansi);
  }
  std::ifstream in(native, std::ios::binary);
  if (!in) {
    throw IoError("Cannot open file " + path.ansi);
  }
  std::string data;
  char chunk[65536];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
    data.append(chunk, static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) {
    throw IoError("Cannot read file " + path.ansi);
  }
  return data;
}

// POSIX refuses a link as the last component with O_NOFOLLOW; the Windows C library has no
// such flag, so the link is looked for before the open there.
std::unique_ptr<FileReader> StdFileSystem::OpenReader(const Path& path) {
  const fs::path native = NativePath(path);
#ifdef _WIN32
  std::error_code error;
  const int fd = fs::is_regular_file(fs::symlink_status(native, error))
                     ? _wopen(native.c_str(), _O_RDONLY | _O_BINARY)
                     : -1;
#else
  const int fd = ::open(native.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
#endif
  if (fd < 0) {
    return nullptr;
  }
  auto reader = std::make_unique<StdFileReader>(fd);
  if (!reader->IsRegularFile()) {
    return nullptr;
  }
  return reader;
}

void StdFileSystem::WriteWholeFile(const Path& path, std::string_view data) {
  WriteAll(NativePath(path), data, path.ansi);
}

// A read-only target is refused, as on Windows; a rename would replace it whatever its
// permissions.
void StdFileSystem::ReplaceWholeFile(const Path& path, std::string_view data) {
  const fs::path native = NativePath(path);
  std::error_code statusError;
  const fs::file_status target = fs::status(native, statusError);
  if (fs::exists(target) && (fs::is_directory(target) ||
                             (target.permissions() & fs::perms::owner_write) == fs::perms::none)) {
    throw IoError("Cannot replace file " + path.ansi + ": it is read-only or a folder");
  }
  const auto folderOf = [](const std::string& text) { return text.substr(0, NameStart(text)); };
  fs::path temp;
  try {
    temp = NativePath(
        CreateUniqueFile(Path(folderOf(path.ansi), folderOf(path.exact)), kReplaceTempPrefix));
  } catch (const SystemError& error) {
    throw IoError("Cannot write file " + path.ansi + ": " + error.what());
  }
  TempFileGuard guard(temp);
  WriteAll(temp, data, path.ansi);
  std::error_code error;
  fs::rename(temp, native, error);
  if (error) {
    throw IoError("Cannot replace file " + path.ansi + ": " + error.message());
  }
  guard.Release();
}

Outcome StdFileSystem::RemoveFile(const Path& path) {
  const fs::path native = NativePath(path);
  std::error_code error;
  const fs::file_status status = fs::symlink_status(native, error);
  if (fs::is_directory(status)) {
    return Fail(std::make_error_code(std::errc::permission_denied));
  }
  if (!fs::exists(status)) {
    return Fail(std::make_error_code(std::errc::no_such_file_or_directory));
  }
  if (fs::remove(native, error) && !error) {
    return {};
  }
  return Fail(error);
}

Outcome StdFileSystem::ChangeAttributes(const Path& path, std::uint32_t attributes) {
  constexpr fs::perms kWrite = fs::perms::owner_write | fs::perms::group_write;
  std::error_code error;
  fs::permissions(
      NativePath(path), kWrite,
      (attributes & kAttributeReadOnly) != 0 ? fs::perm_options::remove : fs::perm_options::add,
      error);
  return error ? Fail(error) : Outcome{};
}

Path StdFileSystem::TempFolder() {
  std::error_code error;
  const fs::path folder = fs::temp_directory_path(error);
  if (error) {
    throw SystemError(static_cast<unsigned long>(error.value()), error.message());
  }
  std::string text = folder.string();
  if (text.empty() || (text.back() != '/' && text.back() != '\\')) {
    text += kSeparator;
  }
  return text;
}

Path StdFileSystem::CreateTempFile(const Path& folder, const std::string& prefix) {
  return CreateUniqueFile(folder, prefix);
}

DriveType StdFileSystem::DriveTypeOf(const std::string& root) {
  const fs::path native = AnsiNativePath(root);
  std::error_code error;
  const bool isRoot = native.has_root_directory() && native.relative_path().empty();
  return isRoot && fs::is_directory(native, error) ? DriveType::kFixed : DriveType::kNoRootDir;
}

Path StdFileSystem::WindowsFolder() {
  const char* folder = std::getenv("SystemRoot");
  return folder != nullptr ? folder : "";
}

Path StdFileSystem::ProgramFolder() {
  const std::string program = ExecutablePath().ansi;
  return program.substr(0, NameStart(program));
}

Path StdFileSystem::ExecutablePath() {
#ifdef _WIN32
  return _pgmptr != nullptr ? _pgmptr : "";
#else
  std::error_code error;
  std::string program = fs::read_symlink("/proc/self/exe", error).string();
  if (error) {
    throw SystemError(static_cast<unsigned long>(error.value()), error.message());
  }
  return program;
#endif
}

Path StdFileSystem::FullPath(const Path& path) {
  if (path.Empty()) {
    return {};
  }
  std::error_code error;
  const fs::path full = fs::absolute(NativePath(path), error);
  return error ? Path() : SpelledAs(full.lexically_normal(), path, *this);
}

Path StdFileSystem::LongPath(const Path& path) {
  std::error_code error;
  return fs::exists(fs::symlink_status(NativePath(path), error)) ? path : Path();
}

Path StdFileSystem::KnownFolderPath(KnownFolder folder) {
  // The variables Windows sets for the folders that have one, the preferred one first.
  struct Variables {
    KnownFolder folder;
    const char* names[2];
  };
  static constexpr Variables kVariables[] = {
      {KnownFolder::kProfile, {"USERPROFILE", nullptr}},
      {KnownFolder::kAppData, {"APPDATA", nullptr}},
      {KnownFolder::kLocalAppData, {"LOCALAPPDATA", nullptr}},
      {KnownFolder::kProgramData, {"ProgramData", "ALLUSERSPROFILE"}},
      {KnownFolder::kProgramFiles, {"ProgramW6432", "ProgramFiles"}},
      {KnownFolder::kProgramFilesX86, {"ProgramFiles(x86)", nullptr}},
      {KnownFolder::kCommonProgramFiles, {"CommonProgramW6432", "CommonProgramFiles"}},
      {KnownFolder::kCommonProgramFilesX86, {"CommonProgramFiles(x86)", nullptr}},
      {KnownFolder::kWindows, {"SystemRoot", nullptr}},
  };
  for (const Variables& entry : kVariables) {
    if (entry.folder != folder) {
      continue;
    }
    for (const char* name : entry.names) {
      const char* value = name != nullptr ? std::getenv(name) : nullptr;
      if (value != nullptr && *value != '\0') {
        return value;
      }
    }
  }
  return {};
}

// Where the narrow names are the exact ones, ANSI text is its own exact spelling.
std::string StdFileSystem::ExactSpelling(const std::string& ansi) {
#ifdef _WIN32
  return Utf8Of(fs::path(ansi));
#else
  return ansi;
#endif
}

// The library's narrow spelling, as its searches give names; a name it cannot spell shows as
// "?" characters.
std::string StdFileSystem::AnsiSpelling(const std::string& exact) {
#ifdef _WIN32
  try {
    return ExactNativePath(exact).string();
  } catch (const std::exception&) {
    std::string ansi = exact;
    std::replace_if(
        ansi.begin(), ansi.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; },
        '?');
    return ansi;
  }
#else
  return exact;
#endif
}

}  // namespace nexolant::platform
