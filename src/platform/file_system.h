#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "platform/clock.h"
#include "platform/errors.h"
#include "platform/path.h"

namespace nexolant::platform {

// Attribute bits as Windows reports them in a directory search.
enum FileAttribute : std::uint32_t {
  kAttributeReadOnly = 0x01,
  kAttributeHidden = 0x02,
  kAttributeSystem = 0x04,
  kAttributeDirectory = 0x10,
  kAttributeArchive = 0x20,
  kAttributeNormal = 0x80,
  kAttributeReparsePoint = 0x400,  // a junction, a symbolic link or a mount point
};

// Folders the system knows by their role, numbered as the CSIDL values of SHGetFolderPathA
// that Windows 7 offers.
enum class KnownFolder : int {
  kPrograms = 0x02,  // the user's Start Menu\Programs
  kDocuments = 0x05,
  kFavorites = 0x06,
  kStartup = 0x07,
  kRecent = 0x08,
  kSendTo = 0x09,
  kStartMenu = 0x0B,
  kMusic = 0x0D,
  kVideos = 0x0E,
  kDesktop = 0x10,
  kNetHood = 0x13,
  kFonts = 0x14,
  kTemplates = 0x15,
  kCommonStartMenu = 0x16,
  kCommonPrograms = 0x17,
  kCommonStartup = 0x18,
  kCommonDesktop = 0x19,
  kAppData = 0x1A,
  kPrintHood = 0x1B,
  kLocalAppData = 0x1C,
  kInternetCache = 0x20,
  kCookies = 0x21,
  kHistory = 0x22,
  kProgramData = 0x23,  // the machine's application data, CSIDL_COMMON_APPDATA
  kWindows = 0x24,
  kSystem = 0x25,
  kProgramFiles = 0x26,  // the system's own, also for a 32-bit program on 64-bit Windows
  kPictures = 0x27,
  kProfile = 0x28,
  kSystemX86 = 0x29,
  kProgramFilesX86 = 0x2A,
  kCommonProgramFiles = 0x2B,  // the system's own, as kProgramFiles
  kCommonProgramFilesX86 = 0x2C,
  kCommonTemplates = 0x2D,
  kCommonDocuments = 0x2E,
  kCommonAdminTools = 0x2F,
  kAdminTools = 0x30,
  kCommonMusic = 0x35,
  kCommonPictures = 0x36,
  kCommonVideos = 0x37,
  kResources = 0x38,
  kCdBurnArea = 0x3B,
};

// The kinds of drive, numbered as GetDriveTypeA numbers them.
enum class DriveType {
  kUnknown = 0,
  kNoRootDir = 1,  // no volume at that root: an absent drive or not a root at all
  kRemovable = 2,
  kFixed = 3,
  kRemote = 4,
  kCdRom = 5,
  kRamDisk = 6,
};

struct FindData {
  std::string name;  // the entry's name without its folder, as the ANSI code page spells it
  std::uint32_t attributes = 0;  // the attribute word exactly as the file system reports it
  std::uint64_t size = 0;
  // The name exactly, in UTF-8, when the ANSI spelling does not give it back: a character the
  // code page cannot hold shows as "?" there. Empty for every other entry.
  std::string exactName;
  // When the entry was last written, in the system's own units; equal for every path that
  // reaches the same entry, so a cheap first test of whether two entries are one.
  std::uint64_t writeTime = 0;
  // Local date-times of the entry's creation and last change; 0 where the system gives none.
  DateTime created = 0;
  DateTime modified = 0;
};

// What a file or folder is, whichever path reaches it: the serial number of its volume and its
// index there, as the system gives them for an open handle. Its last write time (as FindData
// gives it) comes along, but is no part of what it is: comparisons ignore it.
struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  std::uint64_t writeTime = 0;

  friend bool operator==(const FileIdentity& a, const FileIdentity& b) {
    return a.volume == b.volume && a.index == b.index;
  }
  friend bool operator<(const FileIdentity& a, const FileIdentity& b) {
    return a.volume != b.volume ? a.volume < b.volume : a.index < b.index;
  }
};

// One open directory search; destroying it closes the search.
class DirectorySearch {
 public:
  virtual ~DirectorySearch() = default;

  // The next entry in the file system's order; none once the entries are exhausted.
  virtual std::optional<FindData> Next() = 0;
};

// One file open for reading from its start; destroying it closes the file.
class FileReader {
 public:
  virtual ~FileReader() = default;

  // The file's size when it was opened.
  virtual std::uint64_t Size() const = 0;

  // Reads the next bytes into buffer and returns how many: 0 at the end, none when the read
  // fails.
  virtual std::optional<std::size_t> Read(std::span<char> buffer) = 0;
};

// The prefix of the temporary file ReplaceWholeFile writes beside its target; a file of that
// name left in the program folder is a killed replacement's.
inline constexpr const char* kReplaceTempPrefix = "nxr";

// The file services the core needs. Paths have Windows separators; each service reaches a
// path through its exact spelling when it has one, so a file or folder whose name the ANSI
// code page cannot hold is reached too. The folders the system gives come with their exact
// spelling where the ANSI one does not give them back.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // True only for an existing file; a folder is not a file. "?" and "*" are no wildcards here.
  virtual bool FileExists(const Path& path) = 0;

  // Starts a search for a path with wildcards allowed in its last component; entries of every
  // attribute are reported, and "." and ".." wherever the file system reports them (every
  // folder but a drive root on Windows). Null when nothing matches or the search cannot be
  // made (missing folder, access denied, path too long).
  virtual std::unique_ptr<DirectorySearch> OpenSearch(const Path& pattern) = 0;

  // The first entry of a search for pattern.
  std::optional<FindData> FindFirst(const Path& pattern) {
    const std::unique_ptr<DirectorySearch> search = OpenSearch(pattern);
    return search ? search->Next() : std::nullopt;
  }

  // The attribute word of a file or folder; none when the path does not exist.
  virtual std::optional<std::uint32_t> FileAttributes(const Path& path) = 0;

  // True when the path exists and carries the directory attribute.
  bool FolderExists(const Path& path) {
    const std::optional<std::uint32_t> attributes = FileAttributes(path);
    return attributes && (*attributes & kAttributeDirectory) != 0;
  }

  // Creates one folder, whose parent must exist; throws SystemError with the system's reason
  // when it cannot, also when the name is already taken.
  virtual void CreateFolder(const Path& path) = 0;

  // Removes an empty folder.
  virtual Outcome RemoveFolder(const Path& path) = 0;

  // Moves a file or folder to target, never replacing an existing target; fails when the
  // source is missing or in use, the target exists or its folder is missing.
  virtual Outcome Move(const Path& source, const Path& target) = 0;

  // Whole-file read; throws IoError when the file is missing or cannot be read.
  virtual std::string ReadWholeFile(const Path& path) = 0;

  // Opens a file for reading in pieces, sharing it for reading, writing and deleting so that no
  // other program is held up. A link is never followed: a symbolic link or other reparse
  // point, a folder and a missing or unreadable file all give null.
  virtual std::unique_ptr<FileReader> OpenReader(const Path& path) = 0;

  // Creates or truncates the file and writes all of data; throws IoError on failure.
  virtual void WriteWholeFile(const Path& path, std::string_view data) = 0;

  // Writes data to a new temporary file in the target's folder, then replaces the target
  // with it, keeping the target's attributes. A read-only, hidden or system target is
  // refused, as the user marked it so. On any failure the target keeps its old content and
  // IoError is thrown.
  virtual void ReplaceWholeFile(const Path& path, std::string_view data) = 0;

  // Deletes a file.
  virtual Outcome RemoveFile(const Path& path) = 0;

  // Sets the attribute word of a file or folder.
  virtual Outcome ChangeAttributes(const Path& path, std::uint32_t attributes) = 0;

  // The user's temporary folder, with a trailing backslash.
  virtual Path TempFolder() = 0;

  // Creates a new, empty, uniquely named file in folder, named from prefix and a generated
  // number, and returns its full name; throws SystemError on failure.
  virtual Path CreateTempFile(const Path& folder, const std::string& prefix) = 0;

  // The kind of drive whose root is given as a letter, ":" and "\" (either case).
  virtual DriveType DriveTypeOf(const std::string& root) = 0;

  // The system's Windows folder as the system gives it (a trailing backslash only for a drive
  // root); empty when there is none.
  virtual Path WindowsFolder() = 0;

  // The folder of the running executable, with a trailing backslash.
  virtual Path ProgramFolder() = 0;

  // The full path of the running executable.
  virtual Path ExecutablePath() = 0;

  // The absolute path that the system makes of path, as GetFullPathName does: relative to the
  // current folder, "." and ".." resolved, "/" read as "\". Empty when it cannot make one.
  virtual Path FullPath(const Path& path) = 0;

  // The path with every short (8.3) name replaced by the long name, as GetLongPathName does;
  // empty when the path does not exist or cannot be read.
  virtual Path LongPath(const Path& path) = 0;

  // The identity of the file or folder the path names; a link's own, never its target's. None
  // when it cannot be opened.
  virtual std::optional<FileIdentity> Identity(const Path& path) = 0;
  // The full path by which the system itself names the file or folder, whichever path reached
  // it (a drive letter mapped to a folder gives the folder's place); a link is not followed.
  // Empty when it cannot be opened.
  virtual Path FinalPath(const Path& path) = 0;

  // The folder the system keeps for that role; empty when it has none.
  virtual Path KnownFolderPath(KnownFolder folder) = 0;

  // The exact spelling (UTF-8) of ANSI text, and the ANSI spelling of exact text as the system
  // shows it: "?" for every character the code page cannot hold, never a look-alike.
  virtual std::string ExactSpelling(const std::string& ansi) = 0;
  virtual std::string AnsiSpelling(const std::string& exact) = 0;

  // The path of an exact spelling, which the services reach through it.
  Path FromExact(std::string exact) {
    std::string ansi = AnsiSpelling(exact);
    return Path(std::move(ansi), std::move(exact));
  }

  // head followed by tail, spelled exactly where either part is: a folder with its separator
  // and a name the system listed, or a name from an index.
  Path Join(const Path& head, const Path& tail) {
    if (!head.HasExact() && !tail.HasExact()) {
      return Path(head.ansi + tail.ansi);
    }
    return Path(head.ansi + tail.ansi, ExactOf(head) + ExactOf(tail));
  }

 private:
  std::string ExactOf(const Path& path) {
    return path.HasExact() ? path.exact : ExactSpelling(path.ansi);
  }
};

}  // namespace nexolant::platform
