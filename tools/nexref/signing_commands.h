#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "nexref/nexref.h"
#include "reference/reference_version.h"

namespace nexolant::nexref {

// Makes a new ECDSA P-256 key pair into privateFile (readable by its owner only) and
// publicFile; refuses to replace either.
int RunKeygen(const std::string& privateFile, const std::string& publicFile, std::ostream& err,
              const NexrefServices& services);

// Signs referenceFile's exact bytes with the key in privateFile into referenceFile + ".sig",
// and with a version also writes its signed version record into referenceFile + ".ver"
// (reference/version_record.h). Without a version it warns that the program takes no update
// without that record.
int RunSign(const std::string& privateFile, const std::string& referenceFile,
            const std::optional<ReferenceVersion>& version, std::ostream& err,
            const NexrefServices& services);

// Checks referenceFile + ".sig" against referenceFile with the key in publicFile, and the
// version record referenceFile + ".ver" when there is one, as the program does when an update
// arrives; fails when either does not verify.
int RunVerify(const std::string& publicFile, const std::string& referenceFile, std::ostream& out,
              std::ostream& err, const NexrefServices& services);

}  // namespace nexolant::nexref
