#include "win32/win32_downloader.h"

#include <windows.h>

#include <urlmon.h>
#include <wininet.h>

#include <cstdint>
#include <optional>

#include "win32/temporary_file.h"
#include "win32/unique_handle.h"

namespace nexolant::win32 {
namespace {

struct InternetHandleTraits {
  using Handle = HINTERNET;
  static Handle Empty() { return nullptr; }
  static void Close(Handle h) { InternetCloseHandle(h); }
};
using UniqueInternet = UniqueResource<InternetHandleTraits>;
using UniqueFile = UniqueResource<FileHandleTraits>;

HRESULT LastErrorResult() {
  const DWORD error = GetLastError();
  return error != ERROR_SUCCESS ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

struct Target {
  std::string host;
  INTERNET_PORT port = 0;
  std::string path;  // with the query
  bool secure = false;
};

std::optional<Target> TargetOf(const std::string& url) {
  char host[INTERNET_MAX_HOST_NAME_LENGTH] = "";
  char path[INTERNET_MAX_PATH_LENGTH] = "";
  char extra[INTERNET_MAX_PATH_LENGTH] = "";
  URL_COMPONENTSA parts{};
  parts.dwStructSize = sizeof parts;
  parts.lpszHostName = host;
  parts.dwHostNameLength = sizeof host;
  parts.lpszUrlPath = path;
  parts.dwUrlPathLength = sizeof path;
  parts.lpszExtraInfo = extra;
  parts.dwExtraInfoLength = sizeof extra;
  if (!InternetCrackUrlA(url.c_str(), 0, 0, &parts) ||
      (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)) {
    return std::nullopt;
  }
  return Target{host, parts.nPort, std::string(path) + extra,
                parts.nScheme == INTERNET_SCHEME_HTTPS};
}

std::optional<DWORD> NumberHeader(HINTERNET request, DWORD query) {
  DWORD value = 0;
  DWORD size = sizeof value;
  if (!HttpQueryInfoA(request, query | HTTP_QUERY_FLAG_NUMBER, &value, &size, nullptr)) {
    return std::nullopt;
  }
  return value;
}

// Sends the request and writes the body to file. Every wait on the server (connect, the
// answer, each part of the body) ends after stallLimit milliseconds.
HRESULT Fetch(const Target& target, DWORD stallLimit, HANDLE file) {
  const UniqueInternet session(
      InternetOpenA("Nexolant", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session) {
    return LastErrorResult();
  }
  const UniqueInternet connection(InternetConnectA(session.get(), target.host.c_str(), target.port,
                                                   nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection) {
    return LastErrorResult();
  }
  // A new reference file each time, never a cached copy.
  const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                      INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_COOKIES |
                      INTERNET_FLAG_NO_UI | (target.secure ? INTERNET_FLAG_SECURE : 0);
  const char* accept[] = {"*/*", nullptr};
  const UniqueInternet request(HttpOpenRequestA(connection.get(), "GET", target.path.c_str(),
                                                nullptr, nullptr, accept, flags, 0));
  if (!request) {
    return LastErrorResult();
  }
  for (const DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                             INTERNET_OPTION_RECEIVE_TIMEOUT}) {
    InternetSetOptionA(request.get(), option, &stallLimit, sizeof stallLimit);
  }
  if (!HttpSendRequestA(request.get(), nullptr, 0, nullptr, 0)) {
    return LastErrorResult();
  }
  const std::optional<DWORD> status = NumberHeader(request.get(), HTTP_QUERY_STATUS_CODE);
  if (!status) {
    return LastErrorResult();
  }
  if (*status < 200 || *status >= 300) {
    return *status == 404 ? INET_E_RESOURCE_NOT_FOUND : INET_E_DOWNLOAD_FAILURE;
  }
  const std::optional<DWORD> announced = NumberHeader(request.get(), HTTP_QUERY_CONTENT_LENGTH);
  std::uint64_t received = 0;
  char buffer[16384];
  for (;;) {
    DWORD read = 0;
    if (!InternetReadFile(request.get(), buffer, sizeof buffer, &read)) {
      return LastErrorResult();
    }
    if (read == 0) {
      break;
    }
    DWORD written = 0;
    if (!WriteFile(file, buffer, read, &written, nullptr) || written != read) {
      return LastErrorResult();
    }
    received += read;
  }
  // A connection closed early ends the body like its real end does.
  if (announced && received != *announced) {
    return INET_E_DOWNLOAD_FAILURE;
  }
  return S_OK;
}

HRESULT Download(const std::string& url, const std::string& fileName, DWORD stallLimit) {
  const std::optional<Target> target = TargetOf(url);
  if (!target) {
    return INET_E_UNKNOWN_PROTOCOL;
  }
  char tempName[MAX_PATH];
  if (GetTempFileNameA(FolderOf(fileName).c_str(), "nxd", 0, tempName) == 0) {
    return LastErrorResult();
  }
  TemporaryFile temp(tempName);
  {
    const UniqueFile file(CreateFileA(temp.path().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
      return LastErrorResult();
    }
    if (const HRESULT result = Fetch(*target, stallLimit, file.get()); result != S_OK) {
      return result;
    }
  }
  if (!MoveFileExA(temp.path().c_str(), fileName.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return LastErrorResult();
  }
  temp.Keep();
  return S_OK;
}

}  // namespace

platform::DownloadResult Win32Downloader::DownloadToFile(const std::string& url,
                                                         const std::string& fileName) {
  const auto stallLimit = static_cast<DWORD>(stallLimit_.count());
  return {static_cast<std::uint32_t>(Download(url, fileName, stallLimit))};
}

}  // namespace nexolant::win32
