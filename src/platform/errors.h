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

// How a failure travels, everywhere in the program:
// - A system operation returns an Outcome, or a [[nodiscard]] result whose field `error`
//   holds the system's error code (0 when it worked). The caller decides; the compiler
//   refuses a call that looks at neither.
// - A caller that has no use for a failure (a best-effort cleanup, a step whose effect is
//   checked afterwards) says so with BestEffort(...) and a comment that tells why.
// - Only a failure after which the user's action cannot go on is thrown (IoError,
//   SystemError, RegistryError): a file that cannot be read, a setting that cannot be saved.
// - A failure that is no system error (a file in a form the program cannot read) travels as
//   a `problem` text in the result.

// The outcome of one system operation: done, or failed with the system's error code, so that
// the reason travels with the failure and no later call can overwrite it.
struct [[nodiscard]] Outcome {
  bool ok = true;
  std::uint32_t error = 0;  // the system's error code when the operation failed

  explicit operator bool() const { return ok; }
  static Outcome Failure(std::uint32_t code) { return {false, code}; }
  // From a system error code: 0 is success.
  static Outcome Of(std::uint32_t code) { return {code == 0, code}; }
};

// Drops an outcome on purpose; the comment beside the call says why its failure does not matter.
inline void BestEffort(const Outcome&) {}
inline void BestEffort(bool) {}

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
