#include "update/version_check.h"

#include "reference/version_record.h"

namespace nexolant {

RecordCheck CheckVersionRecord(const platform::SignatureVerifier& verifier,
                               std::string_view publicKeyPem, std::string_view recordText,
                               std::string_view contents, std::int32_t highest) {
  const ParsedVersionRecord parsed = ParseVersionRecord(recordText);
  if (parsed.problem != VersionRecordProblem::kNone) {
    return {.refusal = RefusalOf(parsed.problem)};
  }
  const VersionRecord& record = parsed.record;
  if (!verifier.Verify(publicKeyPem, VersionRecordSignedText(record.version, record.sha256),
                       record.signature)) {
    return {.refusal = UpdateRefusal::kRecordNotSigned};
  }
  if (verifier.Sha256(contents) != record.sha256) {
    return {.refusal = UpdateRefusal::kRecordForAnotherFile};
  }
  if (record.version.number <= highest) {
    return {.refusal = UpdateRefusal::kNotNewer};
  }
  return {.version = record.version};
}

}  // namespace nexolant
