#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "protection/path_form.h"

namespace nexolant::protection {

// The protected folders known by what they are, not by how a path spells them: a drive letter
// mapped to a folder, a network path to this machine's own drive, Wine's drive for the host or
// a link the system does not show as one reach them under other names. Each folder's identity,
// and that of every folder holding it, is read once; a path is then also judged under the
// spellings the system gives for its place.
class FolderIdentity {
 public:
  FolderIdentity(platform::FileSystem& files, const PathForm& form) : files_(files), form_(form) {}

  // Reads the identities of the protected folders, given in normal form (or as keys of it),
  // and of the folders holding them.
  void Read(const std::vector<std::string>& folders);

  // The normal spellings of normal's place other than its own: the system's final path of its
  // deepest part that exists, and the protected folder that has the identity of the path or
  // of the deepest of its folders, followed by the rest. Costs a few calls of the file services
  // for every folder on the way, so it is asked once for a walk's start and for what an action
  // is about to touch, never for every entry a walk passes.
  std::vector<std::string> OtherSpellings(const std::string& normal) const;

 private:
  std::string FinalSpelling(const std::string& normal) const;
  std::string IdentitySpelling(const std::string& normal) const;

  platform::FileSystem& files_;
  const PathForm& form_;
  std::map<platform::FileIdentity, std::string> folders_;  // by identity
};

}  // namespace nexolant::protection
