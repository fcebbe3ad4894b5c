#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/message_pump.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/signature_evidence.h"
#include "platform/signature_verifier.h"
#include "scan/finding.h"

namespace nexolant {

// The services the facts of a row are read from; each must outlive the call.
struct FindingDetailsServices {
  platform::FileSystem& files;
  platform::Registry& registry;
  platform::ProcessApi& processes;
  const platform::SignatureVerifier& verifier;
  const platform::SignatureEvidence& evidence;
  const platform::Locale& locale;
};

// The publisher line of a file: "Signed by NAME", "Signature not valid" or "Not signed".
std::string PublisherLine(const platform::Publisher& publisher);

// The facts of what a row found, one line each, as they are now: for a file its full path,
// size, dates, attributes, SHA-256 and publisher; for a folder its path, dates and attributes;
// for a key its full path and the numbers of its values and subkeys; for a process the image
// and publisher of each running copy of that name. An object that is gone says so. pump, when
// given, runs while a file is hashed.
std::vector<std::string> FindingDetails(const FindingDetailsServices& services,
                                        const Finding& finding, platform::MessagePump* pump);

}  // namespace nexolant
