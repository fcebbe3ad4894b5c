#pragma once

#include "platform/string_list.h"
#include "reference/hash_signatures.h"
#include "reference/signature_list.h"

namespace nexolant {

// The known names of the reference file: three pairs of parallel lists, filled once at
// start-up and only read afterwards. The description at index i belongs to the pattern at i.
// The known files of [FileHashes] come beside them, each with its own description.
struct SignatureTables {
  SignatureList ScanFileNames;  // keys of [ScanFiles]
  StringList ScanFileDescriptions;
  SignatureList ProcessNames;  // keys of [OtherKill], then those of [ScanFiles]
  StringList ProcessDescriptions;
  SignatureList RegistryNames;  // keys of [Registry]
  StringList RegistryDescriptions;
  HashSignatures FileHashes;  // the well-formed entries of [FileHashes], each file once
};

}  // namespace nexolant
