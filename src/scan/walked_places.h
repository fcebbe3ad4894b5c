#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/string_list.h"

namespace nexolant {

// The places a complete scan would walk under two names, walked once: a drive whose root is
// another drive's root or a folder on it (a drive letter mapped to a folder), a folder that is
// another drive's root (Wine's drive for the host holds the others), and the Quarantine folder
// under any name. The drives' roots and the Quarantine are known by identity, read when the
// scan starts; a folder the walk enters is opened for its identity only when its last write
// time, which its parent's listing gave, is one of theirs, so a walk costs no call of the file
// services more per folder.
class WalkedPlaces {
 public:
  explicit WalkedPlaces(platform::FileSystem& files) : files_(files) {}

  // The start of a complete scan over queue, the drives' roots in the order they are walked:
  // a drive whose root is an earlier one's, or the Quarantine, leaves the queue.
  void Start(StringList& queue, const platform::Path& quarantine);
  // The walk of a drive starts: its root is walked.
  void Walking(const std::string& root);
  // Whether the walk leaves out a folder it is about to enter: the Quarantine, or a drive root
  // already walked. A queued drive's root met here is walked here, and the drive leaves the
  // queue.
  bool Skip(const platform::Path& folder, const platform::FindData& entry, StringList& queue);

 private:
  struct Place {
    platform::FileIdentity identity;
    std::string root;  // empty for the Quarantine
    bool walked = false;
  };

  platform::FileSystem& files_;
  std::vector<Place> places_;
};

}  // namespace nexolant
