#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/signature_verifier.h"
#include "update/update_refusal.h"

namespace nexolant {

// What the version record beside a downloaded reference file allows.
struct RecordCheck {
  UpdateRefusal refusal = UpdateRefusal::kNone;
  ReferenceVersion version{};  // the file's version, when nothing is refused
};

// Checks recordText, the version record fetched beside contents, in this order: it reads as a
// record (reference/version_record.h); its signature verifies with publicKeyPem; its SHA-256 is
// that of contents; its version is above highest, the highest ever accepted. The date is
// taken as it stands: it is shown, never compared with the clock.
RecordCheck CheckVersionRecord(const platform::SignatureVerifier& verifier,
                               std::string_view publicKeyPem, std::string_view recordText,
                               std::string_view contents, std::int32_t highest);

}  // namespace nexolant
