#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace nexolant::platform {

// System error codes, with the numbers Windows gives them, that the program tells apart.
inline constexpr std::uint32_t kErrorFileNotFound = 2;
inline constexpr std::uint32_t kErrorPathNotFound = 3;
inline constexpr std::uint32_t kErrorAccessDenied = 5;
inline constexpr std::uint32_t kErrorInvalidParameter = 87;
inline constexpr std::uint32_t kErrorInvalidName = 123;
inline constexpr std::uint32_t kErrorAlreadyExists = 183;
inline constexpr std::uint32_t kErrorKeyDeleted = 1018;

// The outcome of one system operation: done, or failed with the system's error code, so that
// the reason travels with the failure and no later call can overwrite it.
struct Outcome {
  bool ok = true;
  std::uint32_t error = 0;  // the system's error code when the operation failed

  explicit operator bool() const { return ok; }
  static Outcome Failure(std::uint32_t code) { return {false, code}; }
  // From a system error code: 0 is success.
  static Outcome Of(std::uint32_t code) { return {code == 0, code}; }
};

// A file that exists could not be opened, read or written.
class IoError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A system call failed; the text is the system's own message for its error code.
class SystemError : public std::runtime_error {
 public:
  SystemError(unsigned long code, const std::string& text)
      : std::runtime_error(text), code_(code) {}
  unsigned long code() const { return code_; }

 private:
  unsigned long code_;
};

}  // namespace nexolant::platform
