#pragma once

#include <string>

namespace nexolant::platform {

// The system shell's "open": a document with its associated program, an address in the
// web browser.
class Shell {
 public:
  virtual ~Shell() = default;

  // True when the shell started something for the target.
  virtual bool Open(const std::string& target) = 0;
};

}  // namespace nexolant::platform
