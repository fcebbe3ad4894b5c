#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace nexolant {

// Walks a folder tree depth-first and reports what it finds through events, synchronously on
// the caller's thread. Entries are handled in the file system's order; a plain subfolder is
// walked as soon as it is met, before the rest of its parent. Only a folder whose attribute
// word is exactly the directory attribute counts as a folder: it is entered (when
// RecurseSubDirs) and never reported; every other entry, folders with further attributes
// included, is reported through OnFileFound. One search is open per level of the current path.
// Paths are reported in ANSI; a name the code page cannot hold shows with "?" there, and the
// walk reaches it, and the folders below it, through its exact path.
class TRecurseDir {
 public:
  using TDirFoundEvent = std::function<void(TRecurseDir& sender, const std::string& dirName)>;
  using TFileFoundEvent = std::function<void(TRecurseDir& sender, const std::string& fileName)>;
  using TOnEndEvent = std::function<void(TRecurseDir& sender)>;
  // Answers whether a folder (given as the walk would enter it, with the entry its parent's
  // listing gave; null for the start folder) is to be left out entirely.
  using TSkipFolderTest =
      std::function<bool(const platform::Path& folder, const platform::FindData* entry)>;

  explicit TRecurseDir(platform::FileSystem& files) : files_(files) {}
  TRecurseDir(const TRecurseDir&) = delete;
  TRecurseDir& operator=(const TRecurseDir&) = delete;

  // Raised for every folder the walk enters, the start folder included, with the folder text
  // exactly as the walk got it.
  TDirFoundEvent OnDirFound;
  // Raised for every entry reported as a file, with its folder, one backslash and its name.
  TFileFoundEvent OnFileFound;
  // Raised once at the end of every Run, also a stopped one; its handler may Run again.
  TOnEndEvent OnEnd;
  // A folder it accepts is neither entered nor announced.
  TSkipFolderTest SkipFolder;

  const std::string& Directory() const { return directory_; }
  void SetDirectory(std::string directory) { directory_ = std::move(directory); }
  const std::string& Mask() const { return mask_; }
  void SetMask(std::string mask) { mask_ = std::move(mask); }
  bool RecurseSubDirs() const { return recurseSubDirs_; }
  void SetRecurseSubDirs(bool recurse) { recurseSubDirs_ = recurse; }
  // When set, the walk ends at its next test. Run never clears it: whoever sets it does.
  bool Stopped() const { return stopped_; }
  void SetStopped(bool stopped) { stopped_ = stopped; }

  // Walks Directory, which must not be empty, then raises OnEnd. True when the walk was not
  // stopped.
  bool Run();

  // While OnFileFound runs: the entry's exact path (UTF-8) when its ANSI path does not spell
  // it, empty otherwise.
  const std::string& ExactFileName() const { return exactFileName_; }
  // While OnFileFound runs: the entry as its folder's listing gave it, size included; null
  // otherwise.
  const platform::FindData* FoundEntry() const { return foundEntry_; }

 private:
  // folder.ansi is the folder as the events name it.
  void WalkFolder(platform::Path folder, bool recurse, const std::string& mask,
                  const platform::FindData* entry);

  platform::FileSystem& files_;
  std::string directory_;
  std::string mask_ = "*.*";
  bool recurseSubDirs_ = true;
  bool stopped_ = false;
  std::string exactFileName_;
  const platform::FindData* foundEntry_ = nullptr;
};

}  // namespace nexolant
