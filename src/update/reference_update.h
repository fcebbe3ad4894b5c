#pragma once

#include <string>

#include "platform/clock.h"
#include "platform/downloader.h"
#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/warning_sink.h"

namespace nexolant {

// What the update of the reference file needs from the system.
struct ReferenceUpdateServices {
  platform::FileSystem& files;
  platform::Downloader& downloader;
  platform::Clock& clock;
  const platform::Locale& locale;
  platform::WarningSink& warnings;
};

// Downloads url into a temporary file in programFolder (which ends with a backslash) and, when
// that file is a usable reference file, puts it in the place of Reference.dat in one step.
// False when the download fails, the file is refused or it cannot take that place; then
// Reference.dat is exactly as it was. The temporary file is removed on every way out. The
// running program's tables are not touched: the new file is read at the next start.
bool UpdateReferenceFile(const ReferenceUpdateServices& services, const std::string& url,
                         const std::string& programFolder);

}  // namespace nexolant
