#include "update/update_refusal.h"

namespace nexolant {

std::string RefusalText(UpdateRefusal refusal, int line) {
  switch (refusal) {
    case UpdateRefusal::kNone:
      return "";
    case UpdateRefusal::kNoRecord:
      return "The server sent no version record with the reference file.";
    case UpdateRefusal::kRecordIncomplete:
      return "The version record of the reference file is incomplete.";
    case UpdateRefusal::kRecordDamaged:
      return "The version record of the reference file is damaged.";
    case UpdateRefusal::kBadVersion:
      return "The version record names no valid version number.";
    case UpdateRefusal::kVersionTooLarge:
      return "The version record names a version above 2147483647.";
    case UpdateRefusal::kBadDate:
      return "The version record bears no valid date.";
    case UpdateRefusal::kFutureDate:
      return "The version record bears a date in the future, after 2099.";
    case UpdateRefusal::kRecordNotSigned:
      return "The version record is not signed with this program's key.";
    case UpdateRefusal::kRecordForAnotherFile:
      return "The version record is for another reference file.";
    case UpdateRefusal::kNotNewer:
      return "The reference file on the server is not newer than yours.";
    case UpdateRefusal::kOverLimits:
      return "The reference file on the server holds more sections or entries than allowed.";
    case UpdateRefusal::kUnusable:
      return "The file on the server is no usable reference file.";
    case UpdateRefusal::kHazard:
      return "The reference file on the server names protected or too broad patterns.";
    case UpdateRefusal::kMalformedHashes:
      return "The reference file on the server holds a malformed hash signature at line " +
             std::to_string(line) + ".";
  }
  return "";
}

UpdateRefusal RefusalOf(VersionRecordProblem problem) {
  switch (problem) {
    case VersionRecordProblem::kNone:
      return UpdateRefusal::kNone;
    case VersionRecordProblem::kIncomplete:
      return UpdateRefusal::kRecordIncomplete;
    case VersionRecordProblem::kTooLong:
    case VersionRecordProblem::kDamaged:
      return UpdateRefusal::kRecordDamaged;
    case VersionRecordProblem::kBadVersion:
      return UpdateRefusal::kBadVersion;
    case VersionRecordProblem::kVersionTooLarge:
      return UpdateRefusal::kVersionTooLarge;
    case VersionRecordProblem::kBadDate:
      return UpdateRefusal::kBadDate;
    case VersionRecordProblem::kFutureDate:
      return UpdateRefusal::kFutureDate;
  }
  return UpdateRefusal::kRecordDamaged;
}

}  // namespace nexolant
