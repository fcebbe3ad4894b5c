#pragma once

#include "platform/errors.h"
#include "platform/path.h"

namespace nexolant::platform {

// The system shell's "open": a document with its associated program, an address in the
// web browser.
class Shell {
 public:
  virtual ~Shell() = default;

  // Whether the shell started something for the target, a file reached through its exact
  // spelling when it has one.
  virtual Outcome Open(const Path& target) = 0;
};

}  // namespace nexolant::platform
