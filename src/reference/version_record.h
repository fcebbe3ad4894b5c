#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/signature_verifier.h"
#include "reference/reference_version.h"

namespace nexolant {

// The signed version record published beside a reference file as reference.dat.ver: four
// lines, each ending with a line feed (a carriage return before it is allowed),
//
//   version=12
//   date=2025-03-01
//   sha256=<the SHA-256 of reference.dat, 64 hexadecimal digits>
//   signature=<the DER signature, in hexadecimal digits>
//
// The signature is an ECDSA P-256 signature over SHA-256 of the first three lines exactly as
// VersionRecordSignedText writes them (lower-case digits, line feeds only), by the key that
// signs reference.dat.sig. The whole record takes at most kMaxVersionRecordSize bytes.
inline constexpr std::size_t kMaxVersionRecordSize = 1024;

struct VersionRecord {
  ReferenceVersion version;
  platform::Sha256Digest sha256{};  // of the reference file the record is for
  std::string signature;            // DER
};

// What can be wrong with a record's text, before its signature is looked at.
enum class VersionRecordProblem {
  kNone,
  kTooLong,     // more than kMaxVersionRecordSize bytes
  kIncomplete,  // fewer lines than the four, or the last one not ended
  kDamaged,     // a line that is not the one expected there, or digits that are no digits
  kBadVersion,  // the version is no number
  kVersionTooLarge,
  kBadDate,
  kFutureDate,
};

struct ParsedVersionRecord {
  VersionRecord record{};
  VersionRecordProblem problem = VersionRecordProblem::kNone;
};

// Reads a record; its signature is not checked here.
ParsedVersionRecord ParseVersionRecord(std::string_view text);

// The text the record's signature is made over: its first three lines.
std::string VersionRecordSignedText(const ReferenceVersion& version,
                                    const platform::Sha256Digest& sha256);

// The whole record: the signed text and the signature line.
std::string VersionRecordText(const ReferenceVersion& version, const platform::Sha256Digest& sha256,
                              std::string_view signatureDer);

}  // namespace nexolant
