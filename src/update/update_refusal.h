#pragma once

#include <string>

#include "reference/version_record.h"

namespace nexolant {

// Why the update refused a file it downloaded; each has a one-line text for the user.
enum class UpdateRefusal {
  kNone,  // nothing was refused: the download failed, or the file could not be written
  kNoRecord,
  kRecordIncomplete,
  kRecordDamaged,
  kBadVersion,
  kVersionTooLarge,
  kBadDate,
  kFutureDate,
  kRecordNotSigned,
  kRecordForAnotherFile,
  kNotNewer,
  kOverLimits,
  kUnusable,
  kHazard,
  kMalformedHashes,
};

// The line that tells the user why; empty for kNone. line: the line of the deciphered file that
// a refusal of its content points at, 0 for none.
std::string RefusalText(UpdateRefusal refusal, int line = 0);

// The refusal of a record whose text is wrong in that way; kNone for kNone.
UpdateRefusal RefusalOf(VersionRecordProblem problem);

}  // namespace nexolant
