#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ignore/ignored_objects.h"
#include "platform/message_pump.h"
#include "protection/protection_policy.h"
#include "reference/signature_source.h"
#include "scan/content_match.h"
#include "scan/scan_results.h"
#include "scan/t_recurse_dir.h"

namespace nexolant {

// The text without its final character.
std::string StripLastChar(std::string_view text);

// The file phase's handling of each entry the walker reports: shown, counted, and its bare
// name looked up in the known file names; an entry whose name matches none is looked up by its
// content in the known files (read only when its listed size is one of theirs). A match becomes
// a file row located at the entry's folder, unless the entry is a protected file or folder, or
// one the user keeps. The pumps before and after each entry, and between the pieces of a file
// being hashed, keep the window responsive.
class FileScan {
 public:
  FileScan(ScanResults& results, const SignatureSource& signatures,
           const protection::ProtectionPolicy& protection, const IgnoredObjects& ignored,
           platform::MessagePump& pump, ContentMatchServices content)
      : results_(results),
        signatures_(signatures),
        protection_(protection),
        ignored_(ignored),
        pump_(pump),
        content_(content) {}

  // Before each walk: the walk's start folder is asked about again at its first match.
  void StartWalk() { walkStart_.reset(); }
  void RecurseDirFileFound(TRecurseDir& sender, const std::string& fileName);

 private:
  bool IsProtected(const TRecurseDir& sender, const std::string& fileName);
  // The description of the known file the entry's content is; null when none.
  const std::string* KnownContent(TRecurseDir& sender, const std::string& fileName);

  ScanResults& results_;
  const SignatureSource& signatures_;
  const protection::ProtectionPolicy& protection_;
  const IgnoredObjects& ignored_;
  platform::MessagePump& pump_;
  ContentMatchServices content_;
  std::optional<protection::WalkStart> walkStart_;
};

}  // namespace nexolant
