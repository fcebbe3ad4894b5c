#include "win32/win32_profile_strings.h"

#include <windows.h>

#include <algorithm>

#include "win32/wide_names.h"

namespace nexolant::win32 {

// A file with an exact spelling is reached through the wide functions, which read and write
// the file in the encoding it has, as the ANSI ones do.
std::string Win32ProfileStrings::ReadString(const std::string& section, const std::string& key,
                                            const std::string& defaultValue, std::size_t bufferSize,
                                            const platform::Path& fileName) {
  if (bufferSize == 0) {
    return {};
  }
  const DWORD size = static_cast<DWORD>(std::min<std::size_t>(bufferSize, MAXDWORD));
  if (fileName.HasExact()) {
    std::wstring buffer(size, L'\0');
    const DWORD length = GetPrivateProfileStringW(
        WideFromAnsi(section).c_str(), WideFromAnsi(key).c_str(),
        WideFromAnsi(defaultValue).c_str(), buffer.data(), size, WideOf(fileName).c_str());
    buffer.resize(length);
    return AnsiFromWide(buffer);
  }
  std::string buffer(size, '\0');
  const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                                buffer.data(), size, fileName.ansi.c_str());
  buffer.resize(length);
  return buffer;
}

platform::Outcome Win32ProfileStrings::WriteString(const std::string& section,
                                                   const std::string& key, const std::string& value,
                                                   const platform::Path& fileName) {
  const BOOL written =
      fileName.HasExact()
          ? WritePrivateProfileStringW(WideFromAnsi(section).c_str(), WideFromAnsi(key).c_str(),
                                       WideFromAnsi(value).c_str(), WideOf(fileName).c_str())
          : WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                       fileName.ansi.c_str());
  return written != FALSE ? platform::Outcome{} : platform::Outcome::Failure(GetLastError());
}

void Win32ProfileStrings::Flush(const platform::Path& fileName) {
  // The write with no section, key and value writes the system's cached copy of the file. It
  // answers FALSE even when it worked, so there is nothing to report.
  OnPath(
      fileName,
      [](const char* name) { return WritePrivateProfileStringA(nullptr, nullptr, nullptr, name); },
      [](const wchar_t* name) {
        return WritePrivateProfileStringW(nullptr, nullptr, nullptr, name);
      });
}

}  // namespace nexolant::win32
