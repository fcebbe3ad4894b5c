#include <windows.h>

#include <string>
#include <vector>

#include "win32/bound_function.h"
#include "win32/win32_registry.h"
#include "win32/win32_registry_key.h"

namespace nexolant::win32 {

using platform::KeyBase;
using platform::NameListResult;
using platform::OpenedKey;
using platform::Outcome;
using platform::RegistryAccess;
using platform::ValueReadResult;
using platform::WideString;

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t),
              "UTF-16 text is passed to the W functions as is");

const wchar_t* Wide(const WideString& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

// Key names are at most 255 characters, value names at most 16,383.
constexpr DWORD kKeyNameLimit = 255;
constexpr DWORD kValueNameLimit = 16383;

// Reads of a value that keeps growing between the size query and the read give up after this.
constexpr int kReadAttempts = 3;

// The registry refuses an unterminated text value only in one case: RegSetValueExW adds the
// terminating zero when the caller left it out but it follows the data in memory. The bytes
// are therefore passed with padding that is not zero, so they are stored exactly as given.
std::string PaddedForWrite(const std::string& bytes) {
  return bytes + "\xFF\xFF\xFF\xFF";
}

NameListResult ListNames(HKEY key, DWORD limit, bool values) {
  NameListResult result;
  std::vector<wchar_t> buffer(limit + 1);
  for (DWORD index = 0;; ++index) {
    DWORD length = static_cast<DWORD>(buffer.size());
    const LONG status =
        values
            ? RegEnumValueW(key, index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr)
            : RegEnumKeyExW(key, index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) {
      return result;
    }
    if (status != ERROR_SUCCESS) {
      result.error = static_cast<std::uint32_t>(status);
      return result;
    }
    result.names.emplace_back(reinterpret_cast<const char16_t*>(buffer.data()), length);
  }
}

}  // namespace

OpenedKey Win32Registry::OpenKeyWide(KeyBase base, const WideString& path, RegistryAccess access,
                                     platform::LinkHandling links) {
  const HKEY parent = BaseHandle(base);
  const DWORD options = links == platform::LinkHandling::kOpenLinkItself ? REG_OPTION_OPEN_LINK : 0;
  HKEY opened = nullptr;
  const LONG status = RegOpenKeyExW(parent, Wide(path), options, Rights(access), &opened);
  if (status != ERROR_SUCCESS) {
    return {nullptr, static_cast<std::uint32_t>(status)};
  }
  return {MakeKey(opened, parent)};
}

OpenedKey Win32Registry::CreateKeyWide(KeyBase base, const WideString& path,
                                       RegistryAccess access) {
  const HKEY parent = BaseHandle(base);
  HKEY created = nullptr;
  DWORD disposition = 0;
  const LONG status = RegCreateKeyExW(parent, Wide(path), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      Rights(access), nullptr, &created, &disposition);
  if (status != ERROR_SUCCESS) {
    return {nullptr, static_cast<std::uint32_t>(status)};
  }
  return {MakeKey(created, parent), 0, disposition == REG_CREATED_NEW_KEY};
}

NameListResult Win32Registry::SubkeyNamesWide(const platform::RegistryKey& key) {
  return ListNames(Win32Key::Of(key), kKeyNameLimit, false);
}

NameListResult Win32Registry::ValueNamesWide(const platform::RegistryKey& key) {
  return ListNames(Win32Key::Of(key), kValueNameLimit, true);
}

ValueReadResult Win32Registry::ReadValueWide(const platform::RegistryKey& key,
                                             const WideString& name) {
  const HKEY handle = Win32Key::Of(key);
  LONG status = ERROR_MORE_DATA;
  for (int attempt = 0; attempt < kReadAttempts && status == ERROR_MORE_DATA; ++attempt) {
    DWORD type = REG_NONE;
    DWORD size = 0;
    status = RegQueryValueExW(handle, Wide(name), nullptr, &type, nullptr, &size);
    if (status != ERROR_SUCCESS) {
      break;
    }
    std::string bytes(size, '\0');
    status = RegQueryValueExW(handle, Wide(name), nullptr, &type,
                              reinterpret_cast<BYTE*>(bytes.data()), &size);
    if (status == ERROR_SUCCESS) {
      bytes.resize(size);
      return {type, std::move(bytes), 0};
    }
  }
  return {REG_NONE, {}, static_cast<std::uint32_t>(status)};
}

Outcome Win32Registry::WriteValueWide(const platform::RegistryKey& key, const WideString& name,
                                      std::uint32_t type, const std::string& bytes) {
  const std::string padded = PaddedForWrite(bytes);
  return Outcome::Of(RegSetValueExW(Win32Key::Of(key), Wide(name), 0, type,
                                    reinterpret_cast<const BYTE*>(padded.data()),
                                    static_cast<DWORD>(bytes.size())));
}

Outcome Win32Registry::DeleteValueWide(const platform::RegistryKey& key, const WideString& name) {
  return Outcome::Of(RegDeleteValueW(Win32Key::Of(key), Wide(name)));
}

// RegDeleteKey opens the name again, following a link to its target; NtDeleteKey deletes the
// key the handle names.
Outcome Win32Registry::DeleteOpenedKey(const platform::RegistryKey& key) {
  using NtDeleteKeyFunction = LONG(NTAPI*)(HANDLE);
  using StatusToErrorFunction = ULONG(NTAPI*)(LONG);
  static const auto deleteKey =
      BoundFunction<NtDeleteKeyFunction>(GetModuleHandleW(L"ntdll.dll"), "NtDeleteKey");
  static const auto statusToError =
      BoundFunction<StatusToErrorFunction>(GetModuleHandleW(L"ntdll.dll"), "RtlNtStatusToDosError");
  const Win32Key& open = Win32Key::Cast(key);
  if (!open.Owned()) {
    return Outcome::Failure(ERROR_ACCESS_DENIED);
  }
  if (!deleteKey || !statusToError) {
    return Outcome::Failure(ERROR_PROC_NOT_FOUND);
  }
  const LONG status = deleteKey(open.Get());
  return Outcome::Of(status == 0 ? 0 : statusToError(status));
}

}  // namespace nexolant::win32
