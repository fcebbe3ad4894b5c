#include "platform/portable/std_file_system.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>
#include <utility>

#include "platform/ascii.h"
#include "platform/errors.h"

#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#else
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

fs::path ToPath(const std::string& text) {
#ifdef _WIN32
  return fs::path(text);
#else
  std::string native = text;
  std::replace(native.begin(), native.end(), '\\', '/');
  return fs::path(native);
#endif
}

// Exact paths are UTF-8, which the standard library takes as char8_t text on every system.
fs::path ToExactPath(const std::string& text) {
  std::u8string exact(text.begin(), text.end());
#ifndef _WIN32
  std::replace(exact.begin(), exact.end(), u8'\\', u8'/');
#endif
  return fs::path(exact);
}

#ifdef _WIN32
std::string Utf8Of(const fs::path& path) {
  const std::u8string exact = path.u8string();
  return std::string(exact.begin(), exact.end());
}
#endif

// Where the last path component starts, after the last separator of either kind.
std::size_t NameStart(std::string_view path) {
  const std::size_t separator = path.find_last_of("/\\");
  return separator == std::string_view::npos ? 0 : separator + 1;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder.back() == '/' || folder.back() == '\\') {
    return folder + name;
  }
  return folder + kSeparator + name;
}

// Names compare as the file system does: without regard to case on Windows.
bool SameChar(char a, char b) {
#ifdef _WIN32
  return AsciiUpper(a) == AsciiUpper(b);
#else
  return a == b;
#endif
}

// "*" matches any run of characters, "?" any one character.
bool MatchesName(std::string_view name, std::string_view pattern) {
  std::size_t n = 0;
  std::size_t p = 0;
  std::size_t starPattern = std::string_view::npos;
  std::size_t starName = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starPattern = p++;
      starName = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || SameChar(pattern[p], name[n]))) {
      ++p;
      ++n;
    } else if (starPattern != std::string_view::npos) {
      p = starPattern + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') {
    ++p;
  }
  return p == pattern.size();
}

// A symbolic link carries the attributes of what it points at and the reparse-point bit.
FindData Describe(std::string name, const fs::path& path, const fs::file_status& status,
                  bool symlink) {
  FindData data;
  data.name = std::move(name);
  if (symlink) {
    data.attributes |= kAttributeReparsePoint;
  }
  if (fs::is_directory(status)) {
    data.attributes |= kAttributeDirectory;
  } else {
    data.attributes |= kAttributeArchive;
    std::error_code error;
    const std::uintmax_t size = fs::file_size(path, error);
    data.size = error ? 0 : size;
  }
  if ((status.permissions() & fs::perms::owner_write) == fs::perms::none) {
    data.attributes |= kAttributeReadOnly;
  }
  return data;
}

// Entries of one folder whose names match a pattern, read as they are asked for. Peek reads
// ahead one entry, so that a search that matches nothing is known when it is opened.
class StdDirectorySearch : public DirectorySearch {
 public:
  explicit StdDirectorySearch(FindData only) : pending_(std::move(only)) {}
  StdDirectorySearch(fs::directory_iterator entries, std::string pattern)
      : entries_(std::move(entries)), pattern_(std::move(pattern)) {}

  const std::optional<FindData>& Peek() {
    if (!pending_) {
      pending_ = Read();
    }
    return pending_;
  }

  std::optional<FindData> Next() override {
    Peek();
    return std::exchange(pending_, std::nullopt);
  }

 private:
  std::optional<FindData> Read() {
    std::error_code error;
    while (entries_ != fs::directory_iterator()) {
      const fs::directory_entry entry = *entries_;
      entries_.increment(error);
      if (error) {
        entries_ = fs::directory_iterator();
      }
      std::string name = entry.path().filename().string();
      std::error_code statusError;
      const fs::file_status status = entry.status(statusError);
      if (!statusError && MatchesName(name, pattern_)) {
        std::error_code linkError;
        FindData found =
            Describe(std::move(name), entry.path(), status, entry.is_symlink(linkError));
#ifdef _WIN32
        // The library's narrow names do not spell every name: a name beyond ASCII carries its
        // exact one.
        if (std::any_of(found.name.begin(), found.name.end(),
                        [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
          found.exactName = Utf8Of(entry.path().filename());
        }
#endif
        return found;
      }
    }
    return std::nullopt;
  }

  fs::directory_iterator entries_;
  std::string pattern_;
  std::optional<FindData> pending_;
};

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
std::string CreateUniqueFile(const std::string& folder, const std::string& prefix) {
  const std::string stem = prefix.substr(0, 3);
  const unsigned start = std::random_device{}();
  for (unsigned step = 0; step < 0x10000; ++step) {
    const unsigned number = (start + step) & 0xFFFF;
    if (number == 0) {
      continue;
    }
    char digits[5];
    std::snprintf(digits, sizeof digits, "%04X", number);
    const std::string name = JoinPath(folder, stem + digits + ".tmp");
    const int error = CreateExclusive(ToPath(name));
    if (error == 0) {
      return name;
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

}  // namespace

bool StdFileSystem::FileExists(const std::string& path) {
  std::error_code error;
  const fs::file_status status = fs::status(ToPath(path), error);
  return !error && fs::exists(status) && !fs::is_directory(status);
}

std::unique_ptr<DirectorySearch> StdFileSystem::OpenSearch(const std::string& pattern) {
  return OpenSearchOn(pattern, ToPath);
}

std::unique_ptr<DirectorySearch> StdFileSystem::OpenSearchOn(
    const std::string& pattern, fs::path (*toPath)(const std::string&)) {
  const std::size_t nameStart = NameStart(pattern);
  const std::string namePattern = pattern.substr(nameStart);
  if (namePattern.empty()) {
    return nullptr;
  }
  std::error_code error;
  if (namePattern.find_first_of("*?") == std::string::npos) {
    const fs::path path = toPath(pattern);
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::exists(status)) {
      return nullptr;
    }
    return std::make_unique<StdDirectorySearch>(
        Describe(namePattern, path, status, fs::is_symlink(fs::symlink_status(path, error))));
  }
  const std::string folder = pattern.substr(0, nameStart);
  fs::directory_iterator entries(folder.empty() ? fs::path(".") : toPath(folder), error);
  if (error) {
    return nullptr;
  }
  // "*.*" matches names without a dot too, as in a Windows directory search.
  auto search = std::make_unique<StdDirectorySearch>(std::move(entries),
                                                     namePattern == "*.*" ? "*" : namePattern);
  if (!search->Peek()) {
    return nullptr;
  }
  return search;
}

std::optional<std::uint32_t> StdFileSystem::FileAttributes(const std::string& path) {
  return AttributesAt(ToPath(path));
}

std::optional<std::uint32_t> StdFileSystem::AttributesAt(const fs::path& native) {
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

void StdFileSystem::CreateFolder(const std::string& path) {
  std::error_code error;
  if (!fs::create_directory(ToPath(path), error) && !error) {
    error = std::make_error_code(std::errc::file_exists);
  }
  if (error) {
    throw SystemError(static_cast<unsigned long>(error.value()), error.message());
  }
}

Outcome StdFileSystem::Fail(std::error_code error) {
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

Outcome StdFileSystem::RemoveFolder(const std::string& path) {
  return RemoveFolderAt(ToPath(path));
}

Outcome StdFileSystem::RemoveFolderAt(const fs::path& native) {
  std::error_code error;
  if (!fs::is_directory(fs::symlink_status(native, error))) {
    return Fail(std::make_error_code(std::errc::no_such_file_or_directory));
  }
  if (fs::remove(native, error) && !error) {
    return {};
  }
  return Fail(error);
}

Outcome StdFileSystem::Move(const std::string& source, const std::string& target) {
  return MoveAt(ToPath(source), ToPath(target));
}

Outcome StdFileSystem::MoveAt(const fs::path& from, const fs::path& to) {
  std::error_code error;
  if (fs::exists(fs::symlink_status(to, error))) {
    return Fail(std::make_error_code(std::errc::file_exists));
  }
  fs::rename(from, to, error);
  return error ? Fail(error) : Outcome{};
}

std::string StdFileSystem::ReadWholeFile(const std::string& path) {
  const fs::path native = ToPath(path);
  std::error_code error;
  if (fs::is_directory(native, error)) {
    throw IoError("Cannot open file " + path);
  }
  std::ifstream in(native, std::ios::binary);
  if (!in) {
    throw IoError("Cannot open file " + path);
  }
  std::string data;
  char chunk[65536];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
    data.append(chunk, static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) {
    throw IoError("Cannot read file " + path);
  }
  return data;
}

void StdFileSystem::WriteWholeFile(const std::string& path, std::string_view data) {
  WriteAll(ToPath(path), data, path);
}

// A read-only target is refused, as on Windows; a rename would replace it whatever its
// permissions.
void StdFileSystem::ReplaceWholeFile(const std::string& path, std::string_view data) {
  std::error_code statusError;
  const fs::file_status target = fs::status(ToPath(path), statusError);
  if (fs::exists(target) && (fs::is_directory(target) ||
                             (target.permissions() & fs::perms::owner_write) == fs::perms::none)) {
    throw IoError("Cannot replace file " + path + ": it is read-only or a folder");
  }
  std::string temp;
  try {
    temp = CreateUniqueFile(path.substr(0, NameStart(path)), "nxr");
  } catch (const SystemError& error) {
    throw IoError("Cannot write file " + path + ": " + error.what());
  }
  const fs::path tempPath = ToPath(temp);
  TempFileGuard guard(tempPath);
  WriteAll(tempPath, data, path);
  std::error_code error;
  fs::rename(tempPath, ToPath(path), error);
  if (error) {
    throw IoError("Cannot replace file " + path + ": " + error.message());
  }
  guard.Release();
}

Outcome StdFileSystem::RemoveFile(const std::string& path) {
  return RemoveFileAt(ToPath(path));
}

Outcome StdFileSystem::RemoveFileAt(const fs::path& native) {
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

Outcome StdFileSystem::ChangeAttributes(const std::string& path, std::uint32_t attributes) {
  return ChangeAttributesAt(ToPath(path), attributes);
}

Outcome StdFileSystem::ChangeAttributesAt(const fs::path& native, std::uint32_t attributes) {
  constexpr fs::perms kWrite = fs::perms::owner_write | fs::perms::group_write;
  std::error_code error;
  fs::permissions(
      native, kWrite,
      (attributes & kAttributeReadOnly) != 0 ? fs::perm_options::remove : fs::perm_options::add,
      error);
  return error ? Fail(error) : Outcome{};
}

std::string StdFileSystem::TempFolder() {
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

std::string StdFileSystem::CreateTempFile(const std::string& folder, const std::string& prefix) {
  return CreateUniqueFile(folder, prefix);
}

DriveType StdFileSystem::DriveTypeOf(const std::string& root) {
  const fs::path native = ToPath(root);
  std::error_code error;
  const bool isRoot = native.has_root_directory() && native.relative_path().empty();
  return isRoot && fs::is_directory(native, error) ? DriveType::kFixed : DriveType::kNoRootDir;
}

std::string StdFileSystem::WindowsFolder() {
  const char* folder = std::getenv("SystemRoot");
  return folder != nullptr ? folder : "";
}

std::string StdFileSystem::ProgramFolder() {
  const std::string program = ExecutablePath();
  return program.substr(0, NameStart(program));
}

std::string StdFileSystem::ExecutablePath() {
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

std::string StdFileSystem::FullPath(const std::string& path) {
  if (path.empty()) {
    return {};
  }
  std::error_code error;
  const fs::path full = fs::absolute(ToPath(path), error);
  return error ? std::string() : full.lexically_normal().string();
}

std::string StdFileSystem::LongPath(const std::string& path) {
  std::error_code error;
  return fs::exists(fs::symlink_status(ToPath(path), error)) ? path : std::string();
}

std::string StdFileSystem::KnownFolderPath(KnownFolder folder) {
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
    return ToExactPath(exact).string();
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

std::unique_ptr<DirectorySearch> StdFileSystem::OpenExactSearch(const std::string& pattern) {
  return OpenSearchOn(pattern, ToExactPath);
}

std::optional<std::uint32_t> StdFileSystem::ExactAttributes(const std::string& path) {
  return AttributesAt(ToExactPath(path));
}

Outcome StdFileSystem::MoveExact(const std::string& source, const std::string& target) {
  return MoveAt(ToExactPath(source), ToExactPath(target));
}

Outcome StdFileSystem::RemoveExactFile(const std::string& path) {
  return RemoveFileAt(ToExactPath(path));
}

Outcome StdFileSystem::RemoveExactFolder(const std::string& path) {
  return RemoveFolderAt(ToExactPath(path));
}

Outcome StdFileSystem::ChangeExactAttributes(const std::string& path, std::uint32_t attributes) {
  return ChangeAttributesAt(ToExactPath(path), attributes);
}

}  // namespace nexolant::platform
