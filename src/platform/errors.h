#pragma once

#include <stdexcept>
#include <string>

namespace nexolant::platform {

// A file that exists could not be opened, read or written.
class IoError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A system call failed; the text is the system's own message for its error code.
class SystemError : public std::runtime_error {
 public:
  SystemError(unsigned long code, const std::string& text) : std::runtime_error(text), code_(code) {}
  unsigned long code() const { return code_; }

 private:
  unsigned long code_;
};

}  // namespace nexolant::platform
