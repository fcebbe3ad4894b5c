#pragma once

#include "reference/signature_tables.h"

namespace nexolant {

// Where pages find the signature tables, which exist only from the start-up's list creation
// on: they ask at the moment they match, never keep a reference taken at construction.
class SignatureSource {
 public:
  virtual ~SignatureSource() = default;
  virtual const SignatureTables& Tables() const = 0;
};

}  // namespace nexolant
