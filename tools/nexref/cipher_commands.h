#pragma once

#include <ostream>
#include <string>

#include "nexref/nexref.h"

namespace nexolant::nexref {

// Enciphers the plain INI text in plainFile with the shipped key into referenceFile.
int RunBuild(const std::string& plainFile, const std::string& referenceFile, std::ostream& err,
             const NexrefServices& services);

// Deciphers referenceFile with the shipped key into plainFile.
int RunDecipher(const std::string& referenceFile, const std::string& plainFile, std::ostream& err,
                const NexrefServices& services);

}  // namespace nexolant::nexref
