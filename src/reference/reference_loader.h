#pragma once

#include <cstdint>
#include <string>

#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/message_pump.h"
#include "platform/string_list.h"
#include "platform/warning_sink.h"
#include "reference/signature_tables.h"
#include "reference/too_broad_patterns.h"

namespace nexolant {

// What loading the reference file needs from the system.
struct ReferenceServices {
  platform::FileSystem& files;
  platform::Clock& clock;
  const platform::Locale& locale;  // must outlive the tables it fills
  platform::MessagePump& pump;     // pumped by the INI store while it reads
  platform::WarningSink& warnings;
};

enum class ReferenceOutcome { kLoaded, kFileNotFound, kFormatIncorrect };

// The Status page's three reference labels after a load.
struct ReferenceStatusLook {
  std::string refStatus;           // lblRefStatus caption
  std::string fileStatus;          // lblFileStatus caption
  std::uint32_t fileStatusColour;  // lblFileStatus font colour, 0xRRGGBB
  bool fileStatusBold;             // lblFileStatus stays bold in every outcome
  bool initializedVisible;         // lblInitialized
};

ReferenceStatusLook StatusLookFor(ReferenceOutcome outcome);

// Deciphers programFolder + "Reference.dat" (the folder ends with a backslash) into a
// temporary file, reads its [ScanFiles], [OtherKill], [Registry] and [FileHashes] sections into
// tables and writes the summary of the first three to details (cleared first). Every pattern that
// matches a name of tooBroad is kept, and counted, but marked inert. The temporary file is removed
// on every way out. Errors other than the two failure outcomes propagate; details and tables then
// hold what was done before the error.
ReferenceOutcome LoadReference(const ReferenceServices& services,
                               const platform::Path& programFolder, SignatureTables& tables,
                               StringList& details, const NameSample& tooBroad = {});

// LoadReference of the reference file at path, wherever it lies: the same decipher, reads
// and summary.
ReferenceOutcome LoadReferenceFile(const ReferenceServices& services, const platform::Path& path,
                                   SignatureTables& tables, StringList& details,
                                   const NameSample& tooBroad = {});

// The full name of a new, empty, uniquely named file in the temporary folder. Throws
// platform::SystemError with "GetTempFileName API failed." followed by the system's text.
platform::Path NewTempFileName(platform::FileSystem& files);

// The size of the first directory entry matching name, of any attribute, as a signed
// 32-bit value; 0 when nothing matches.
std::int32_t FileSizeByName(platform::FileSystem& files, const platform::Path& name);

}  // namespace nexolant
