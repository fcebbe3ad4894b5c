#include "win32/win32_registry.h"

#include <windows.h>

#include <memory>
#include <string>
#include <utility>

#include "win32/wide_names.h"
#include "win32/win32_registry_key.h"

namespace nexolant::win32 {

using platform::KeyBase;
using platform::RegistryAccess;
using platform::RegistryValue;

namespace {

BYTE* Bytes(std::string& data) {
  return reinterpret_cast<BYTE*>(data.data());
}

// Reads of a value that keeps growing between the size query and the read give up after this.
constexpr int kReadAttempts = 3;

}  // namespace

platform::OpenedKey Win32Registry::OpenKey(KeyBase base, const std::string& path,
                                           RegistryAccess access, platform::LinkHandling links) {
  const HKEY parent = BaseHandle(base);
  const DWORD options = links == platform::LinkHandling::kOpenLinkItself ? REG_OPTION_OPEN_LINK : 0;
  HKEY opened = nullptr;
  const LONG status = RegOpenKeyExA(parent, path.c_str(), options, Rights(access), &opened);
  if (status != ERROR_SUCCESS) {
    return {nullptr, static_cast<std::uint32_t>(status)};
  }
  return {MakeKey(opened, parent)};
}

platform::OpenedKey Win32Registry::CreateKey(KeyBase base, const std::string& path,
                                             RegistryAccess access) {
  const HKEY parent = BaseHandle(base);
  HKEY created = nullptr;
  const LONG status = RegCreateKeyExA(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      Rights(access), nullptr, &created, nullptr);
  if (status != ERROR_SUCCESS) {
    return {nullptr, static_cast<std::uint32_t>(status)};
  }
  return {MakeKey(created, parent)};
}

// RegDeleteKeyA with an empty path would delete the base key itself.
platform::Outcome Win32Registry::DeleteKey(KeyBase base, const std::string& path) {
  const LONG status =
      path.empty() ? ERROR_INVALID_PARAMETER : RegDeleteKeyA(BaseHandle(base), path.c_str());
  return status == ERROR_SUCCESS ? platform::Outcome{}
                                 : platform::Outcome::Failure(static_cast<std::uint32_t>(status));
}

bool Win32Registry::ValueExists(const platform::RegistryKey& key, const std::string& name) {
  return RegQueryValueExA(Win32Key::Of(key), name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS;
}

RegistryValue Win32Registry::ReadValue(const platform::RegistryKey& key, const std::string& name) {
  const HKEY handle = Win32Key::Of(key);
  for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
    DWORD type = REG_NONE;
    DWORD size = 0;
    LONG result = RegQueryValueExA(handle, name.c_str(), nullptr, &type, nullptr, &size);
    if (result == ERROR_SUCCESS) {
      std::string data(size, '\0');
      result = RegQueryValueExA(handle, name.c_str(), nullptr, &type, Bytes(data), &size);
      if (result == ERROR_SUCCESS) {
        data.resize(size);
        return {RegistryValue::Status::kFound, type, std::move(data)};
      }
    }
    if (result == ERROR_FILE_NOT_FOUND) {
      return {};
    }
    if (result != ERROR_MORE_DATA) {
      break;
    }
  }
  return {RegistryValue::Status::kUnreadable, platform::kRegNone, {}};
}

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 text converts as it is");

platform::WideString Win32Registry::WideSpelling(const std::string& ansi) {
  const std::wstring wide = WideFromAnsi(ansi);
  return platform::WideString(wide.begin(), wide.end());
}

std::string Win32Registry::AnsiSpelling(const platform::WideString& wide) {
  return AnsiFromWide({reinterpret_cast<const wchar_t*>(wide.data()), wide.size()});
}

}  // namespace nexolant::win32
