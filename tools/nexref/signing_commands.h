#pragma once

#include <ostream>
#include <string>

#include "nexref/nexref.h"

namespace nexolant::nexref {

// Makes a new ECDSA P-256 key pair into privateFile (readable by its owner only) and
// publicFile; refuses to replace either.
int RunKeygen(const std::string& privateFile, const std::string& publicFile, std::ostream& err,
              const NexrefServices& services);

// Signs referenceFile's exact bytes with the key in privateFile into referenceFile + ".sig".
int RunSign(const std::string& privateFile, const std::string& referenceFile, std::ostream& err,
            const NexrefServices& services);

// Checks referenceFile + ".sig" against referenceFile with the key in publicFile, as the program
// does when an update arrives; fails when it does not verify.
int RunVerify(const std::string& publicFile, const std::string& referenceFile, std::ostream& out,
              std::ostream& err, const NexrefServices& services);

}  // namespace nexolant::nexref
