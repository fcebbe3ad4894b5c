#include "win32/win32_profile_strings.h"

#include <windows.h>

#include <algorithm>

namespace nexolant::win32 {

std::string Win32ProfileStrings::ReadString(const std::string& section, const std::string& key,
                                            const std::string& defaultValue, std::size_t bufferSize,
                                            const std::string& fileName) {
  if (bufferSize == 0) {
    return {};
  }
  std::string buffer(std::min<std::size_t>(bufferSize, MAXDWORD), '\0');
  const DWORD length =
      GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                               static_cast<DWORD>(buffer.size()), fileName.c_str());
  buffer.resize(length);
  return buffer;
}

bool Win32ProfileStrings::WriteString(const std::string& section, const std::string& key,
                                      const std::string& value, const std::string& fileName) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                    fileName.c_str()) != FALSE;
}

void Win32ProfileStrings::Flush(const std::string& fileName) {
  // The write with no section, key and value writes the system's cached copy of the file. It
  // answers FALSE even when it worked, so there is nothing to report.
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, fileName.c_str());
}

}  // namespace nexolant::win32
