#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/downloader.h"
#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/signature_verifier.h"
#include "platform/warning_sink.h"
#include "reference/version_record.h"
#include "update/shipped_version.h"
#include "update/update_key.h"
#include "update/update_refusal.h"

namespace nexolant {

// The prefixes of the temporary files the update makes in the program folder: the new
// reference file and its version record while they are checked.
inline constexpr const char* kUpdateTempPrefix = "nxu";
inline constexpr const char* kRecordTempPrefix = "nxs";

// What the update of the reference file needs from the system.
struct ReferenceUpdateServices {
  platform::FileSystem& files;
  platform::Downloader& downloader;
  platform::Clock& clock;
  const platform::Locale& locale;
  platform::WarningSink& warnings;
  // The public key (PEM) a new file's version record must be signed with; empty: files are
  // taken unsigned and without a version.
  std::string_view updateKey = BuiltInUpdateKey();
  const platform::SignatureVerifier& verifier = platform::SystemSignatureVerifier();
  // What counts as installed while the program folder holds no record of an update.
  ReferenceVersion shipped = ShippedReferenceVersion();
};

struct [[nodiscard]] UpdateResult {
  bool updated = false;
  // Why the downloaded file was refused; kNone when it was taken, or when the download failed
  // or the file could not be put in place.
  UpdateRefusal refusal = UpdateRefusal::kNone;
  int refusalLine = 0;  // the line of the refused file the refusal points at; 0 for none
};

// Downloads url into a temporary file in programFolder (which ends with a backslash) and, with
// an update key, its version record from url + ".ver"; when the file is acceptable (update_
// acceptance.h) it takes the place of Reference.dat in one step, the file it replaces is kept
// for an undo and the new version is recorded (update/reference_install.h). Not updated when a
// download fails, the file is refused or it cannot take that place; then Reference.dat is
// exactly as it was. The temporary files are removed on every way out. The running program's
// tables are not touched: the new file is read at the next start.
UpdateResult UpdateReferenceFile(const ReferenceUpdateServices& services, const std::string& url,
                                 const platform::Path& programFolder);

}  // namespace nexolant
