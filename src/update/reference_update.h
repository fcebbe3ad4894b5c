#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/downloader.h"
#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/signature_verifier.h"
#include "platform/warning_sink.h"
#include "update/update_key.h"

namespace nexolant {

// The largest signature file the update fetches: a DER signature and some slack.
inline constexpr std::size_t kMaxSignatureFileSize = platform::kMaxSignatureSize;

// The prefixes of the temporary files the update makes in the program folder: the new
// reference file and its signature while they are checked.
inline constexpr const char* kUpdateTempPrefix = "nxu";
inline constexpr const char* kSignatureTempPrefix = "nxs";

// What the update of the reference file needs from the system.
struct ReferenceUpdateServices {
  platform::FileSystem& files;
  platform::Downloader& downloader;
  platform::Clock& clock;
  const platform::Locale& locale;
  platform::WarningSink& warnings;
  // The public key (PEM) a new file must be signed with; empty: files are taken unsigned.
  std::string_view updateKey = BuiltInUpdateKey();
  const platform::SignatureVerifier& verifier = platform::SystemSignatureVerifier();
};

// Downloads url into a temporary file in programFolder (which ends with a backslash) and, with
// an update key, its signature from url + ".sig"; when the file is acceptable (update_
// acceptance.h) it takes the place of Reference.dat in one step. False when a download fails,
// the file is refused or it cannot take that place; then Reference.dat is exactly as it was.
// The temporary files are removed on every way out. The running program's tables are not
// touched: the new file is read at the next start.
[[nodiscard]] bool UpdateReferenceFile(const ReferenceUpdateServices& services,
                                       const std::string& url, const platform::Path& programFolder);

}  // namespace nexolant
