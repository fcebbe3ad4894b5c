#pragma once

#include <cstddef>
#include <string>

#include "platform/profile_strings.h"

namespace nexolant::win32 {

class Win32ProfileStrings final : public platform::ProfileStrings {
 public:
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue, std::size_t bufferSize,
                         const platform::Path& fileName) override;
  platform::Outcome WriteString(const std::string& section, const std::string& key,
                                const std::string& value, const platform::Path& fileName) override;
  void Flush(const platform::Path& fileName) override;
};

}  // namespace nexolant::win32
