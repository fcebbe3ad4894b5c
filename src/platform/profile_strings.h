#pragma once

#include <cstddef>
#include <string>

#include "platform/errors.h"
#include "platform/path.h"

namespace nexolant::platform {

// The system's private-profile service: "key=value" lines under "[section]" headers in a
// text file, reached through its exact spelling when it has one. Section and key names
// compare case-insensitively.
class ProfileStrings {
 public:
  virtual ~ProfileStrings() = default;

  // The stored value, blanks trimmed and one pair of enclosing quotes removed, or the default
  // with its trailing blanks trimmed when the file, the section or the key is absent. Either
  // is cut to bufferSize - 1 characters, as a result buffer of bufferSize would hold it.
  virtual std::string ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue, std::size_t bufferSize,
                                 const Path& fileName) = 0;

  // Stores the key with the value, creating the file and the section when missing.
  virtual Outcome WriteString(const std::string& section, const std::string& key,
                              const std::string& value, const Path& fileName) = 0;

  // Writes out what the service may still hold of the file. The system gives no result.
  virtual void Flush(const Path& fileName) = 0;
};

}  // namespace nexolant::platform
