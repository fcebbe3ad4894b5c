#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "platform/file_system.h"
#include "platform/locale.h"
#include "protection/folder_identity.h"
#include "protection/path_form.h"

namespace nexolant::protection {

// Why a file or folder may not be reported, moved or deleted.
enum class PathProtection {
  kNone,
  kNotPlain,      // names no plain file: a device, "\\?\" or "\\.\", a name of dots
  kOwnFolder,     // the program's folder, anything in it, or a folder holding it
  kDriveRoot,     // a drive root or a share's root
  kSystemFolder,  // Windows, Program Files, ProgramData, the profiles, their shell folders,
                  // or a folder holding one of them; a folder of the Windows folder's tree that
                  // is marked as the system's, or anything in one of its caches and stores
  kSystemName,    // a system file in the Windows folder's tree or in a drive root, or a
                  // profile's registry hive
  kReparsePoint,  // a junction, link or mount point, or a path that passes through one
  kRemote,        // on a share or a network drive: another machine's, never acted on
};

// A folder a walk starts from, asked about once for all the entries the walk finds below it.
struct WalkStart {
  std::string normal;                // empty when the folder names no plain file
  bool throughReparsePoint = false;  // the folder is, or lies inside, a reparse point
  // The other names of the folder's place (FolderIdentity), under which its entries are judged
  // too.
  std::vector<std::string> otherSpellings;
};

// The places of the file system that nothing may touch. They are read once, when the policy
// is made; each question then costs a few calls of the file services, so it is asked of what
// a scan found or an action is about to touch, not of every entry a scan walks. A path is
// protected when it is under its own spelling or under any other name the system gives its
// place.
class FileProtection {
 public:
  FileProtection(platform::FileSystem& files, const platform::Locale& locale);

  PathProtection Classify(std::string_view path) const;

  WalkStart StartOf(std::string_view folder) const;
  // An entry found below start by a walk that takes names from the folder listings (long names
  // already) and enters no folder that is a reparse point: only the entry itself is asked of
  // the system, where Classify asks about every folder on the way.
  PathProtection ClassifyBelow(const WalkStart& start, std::string_view names) const;

  const PathForm& Form() const { return form_; }
  // Whether a name, upper-cased as Form() keys it, is one of Windows' own files.
  bool IsSystemName(const std::string& name) const;
  // The program's folder in normal form.
  const std::string& ProgramFolder() const { return programFolderNormal_; }

 private:
  template <typename ThroughReparsePoint>
  PathProtection ClassifyNormal(const std::string& normal, ThroughReparsePoint through) const;
  // The first protection of the place under its other spellings, each below names.
  PathProtection ClassifyOthers(const std::vector<std::string>& spellings,
                                std::string_view names) const;
  bool PassesThroughReparsePoint(const std::string& normal) const;
  bool IsReparsePoint(const std::string& path) const;
  bool IsInProfileFolder(std::string_view key) const;
  bool IsMarkedSystemFolder(const std::string& normal) const;

  platform::FileSystem& files_;
  PathForm form_;
  std::string programFolderNormal_;
  // Keys of Form().
  std::string programFolder_;
  std::string windowsFolder_;
  std::vector<std::string> folders_;  // protected with the folders that hold them
  std::string profiles_;              // the folder that holds the user profiles
  std::vector<std::vector<std::string>> profileFolders_;  // names below any profile
  std::vector<std::string> subtrees_;                     // everything inside is protected
  std::unordered_set<std::string> systemNames_;
  std::vector<std::string> systemNameFamilies_;  // upper-cased patterns
  std::vector<std::string> hiveFamilies_;        // upper-cased patterns
  std::unordered_set<std::string> driveRootNames_;
  FolderIdentity identities_;
};

}  // namespace nexolant::protection
