#pragma once

#include "platform/string_list.h"
#include "reference/signature_list.h"

namespace nexolant {

// The known names of the reference file: three pairs of parallel lists, filled once at
// start-up and only read afterwards. The description at index i belongs to the pattern at i.
struct SignatureTables {
  SignatureList ScanFileNames;  // keys of [ScanFiles]
  StringList ScanFileDescriptions;
  SignatureList ProcessNames;  // keys of [OtherKill], then those of [ScanFiles]
  StringList ProcessDescriptions;
  SignatureList RegistryNames;  // keys of [Registry]
  StringList RegistryDescriptions;
};

}  // namespace nexolant
