#pragma once

#include <cstddef>
#include <ostream>
#include <string>

#include "ini/big_ini_file.h"
#include "nexref/nexref.h"

namespace nexolant::nexref {

// The four counts of the Details page, and the known files of [FileHashes] beside them.
struct SignatureTotals {
  std::size_t adware = 0;    // keys of [ScanFiles]
  std::size_t process = 0;   // keys of [OtherKill] and of [ScanFiles]
  std::size_t registry = 0;  // keys of [Registry]
  std::size_t hash = 0;      // well-formed entries of [FileHashes], each file once
  // The Details page's total, of the three name lists.
  std::size_t Total() const { return adware + process + registry; }
};

// Counts the signatures of a loaded reference text as the loader does.
SignatureTotals CountSignatures(TBigIniFile& store);

// Deciphers referenceFile into a temporary file, loads it with the INI engine as the program
// does, prints the totals to out and the review's findings to err. Succeeds, warnings or not,
// when the file loads and the review finds no error.
int RunCheck(const std::string& referenceFile, std::ostream& out, std::ostream& err,
             const NexrefServices& services);

}  // namespace nexolant::nexref
