#pragma once

#include "reference/signature_tables.h"

namespace nexolant {

// Where the signature tables are read at the moment they are needed: they are created after
// the pages that look names up in them.
class SignatureSource {
 public:
  virtual ~SignatureSource() = default;
  virtual const SignatureTables& Tables() const = 0;
};

}  // namespace nexolant
