#include "win32/win32_downloader.h"

#include <windows.h>

#include <urlmon.h>
#include <wininet.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <exception>
#include <optional>
#include <utility>

#include "win32/request_deadline.h"
#include "win32/temporary_file.h"
#include "win32/unique_handle.h"
#include "win32/wide_names.h"
#include "win32/wininet_library.h"

namespace nexolant::win32 {
namespace {

using std::chrono::steady_clock;
using UniqueFile = UniqueResource<FileHandleTraits>;

constexpr int kMaxRedirects = 5;
const HRESULT kTimedOut = HRESULT_FROM_WIN32(ERROR_INTERNET_TIMEOUT);
const auto kTooLarge = static_cast<HRESULT>(platform::kDownloadTooLarge);

HRESULT LastErrorResult() {
  const DWORD error = GetLastError();
  return error != ERROR_SUCCESS ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

struct Target {
  std::string url;
  std::string host;
  INTERNET_PORT port = 0;
  std::string path;  // with the query
  INTERNET_SCHEME scheme = INTERNET_SCHEME_HTTP;

  bool SameServer(const Target& other) const {
    return scheme == other.scheme && port == other.port &&
           lstrcmpiA(host.c_str(), other.host.c_str()) == 0;
  }
};

std::optional<Target> TargetOf(const WinInetLibrary& wininet, const std::string& url) {
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
  if (!wininet.InternetCrackUrlA(url.c_str(), 0, 0, &parts) ||
      (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)) {
    return std::nullopt;
  }
  return Target{url, host, parts.nPort, std::string(path) + extra, parts.nScheme};
}

std::optional<std::string> HeaderText(const WinInetLibrary& wininet, HINTERNET request,
                                      DWORD query) {
  std::string text(256, '\0');
  for (;;) {
    auto size = static_cast<DWORD>(text.size());
    if (wininet.HttpQueryInfoA(request, query, text.data(), &size, nullptr)) {
      text.resize(size);
      return text;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size <= text.size()) {
      return std::nullopt;
    }
    text.resize(size);
  }
}

std::optional<DWORD> StatusCode(const WinInetLibrary& wininet, HINTERNET request) {
  DWORD value = 0;
  DWORD size = sizeof value;
  if (!wininet.HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &value,
                              &size, nullptr)) {
    return std::nullopt;
  }
  return value;
}

bool IsRedirect(DWORD status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// Where a redirect answer leads, when that is the same server as from.
std::optional<Target> RedirectTarget(const WinInetLibrary& wininet, HINTERNET request,
                                     const Target& from) {
  const std::optional<std::string> location = HeaderText(wininet, request, HTTP_QUERY_LOCATION);
  if (!location) {
    return std::nullopt;
  }
  char url[INTERNET_MAX_URL_LENGTH] = "";
  DWORD size = sizeof url;
  if (!wininet.InternetCombineUrlA(from.url.c_str(), location->c_str(), url, &size, 0)) {
    return std::nullopt;
  }
  std::optional<Target> next = TargetOf(wininet, std::string(url, size));
  return next && next->SameServer(from) ? next : std::nullopt;
}

// What one download needs through its requests.
struct Fetch {
  const WinInetLibrary& wininet;
  DWORD stallLimit;
  steady_clock::time_point deadline;
  std::uint64_t maxBytes;
  HANDLE file;

  InternetHandle Own(HINTERNET handle) const { return {handle, {wininet.InternetCloseHandle}}; }

  HRESULT Failure(const RequestDeadline& request) const {
    return request.Expired() ? kTimedOut : LastErrorResult();
  }

  // Writes the body to file, refusing an announced length or a body above the cap.
  HRESULT ReadBody(const RequestDeadline& request) const {
    std::optional<std::uint64_t> announced;
    if (const auto length = HeaderText(wininet, request.get(), HTTP_QUERY_CONTENT_LENGTH)) {
      std::uint64_t value = 0;
      const char* end = length->data() + length->size();
      if (std::from_chars(length->data(), end, value).ptr != end) {
        return INET_E_DOWNLOAD_FAILURE;
      }
      if (value > maxBytes) {
        return kTooLarge;
      }
      announced = value;
    }
    std::uint64_t received = 0;
    char buffer[16384];
    for (;;) {
      // Only what has arrived is read: a read of more could wait for it however slowly it
      // comes, and not every WinINet ends a read when the deadline closes its handle.
      DWORD available = 0;
      if (!wininet.InternetQueryDataAvailable(request.get(), &available, 0, 0)) {
        return Failure(request);
      }
      DWORD read = 0;
      if (available > 0 &&
          !wininet.InternetReadFile(request.get(), buffer,
                                    std::min<DWORD>(available, sizeof buffer), &read)) {
        return Failure(request);
      }
      if (read == 0) {
        break;
      }
      if (read > maxBytes - received) {
        return kTooLarge;
      }
      DWORD written = 0;
      if (!WriteFile(file, buffer, read, &written, nullptr) || written != read) {
        return LastErrorResult();
      }
      received += read;
    }
    // A connection closed early ends the body like its real end does.
    return announced && received != *announced ? INET_E_DOWNLOAD_FAILURE : S_OK;
  }

  // One GET of target. A redirect to the same server answers S_FALSE and sets next.
  HRESULT Get(HINTERNET session, const Target& target, std::optional<Target>& next) const {
    const InternetHandle connection = Own(wininet.InternetConnectA(
        session, target.host.c_str(), target.port, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) {
      return LastErrorResult();
    }
    // A new reference file each time, never a cached copy; nothing of the user's is sent.
    const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                        INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_COOKIES |
                        INTERNET_FLAG_NO_AUTH | INTERNET_FLAG_NO_UI |
                        INTERNET_FLAG_NO_AUTO_REDIRECT |
                        (target.scheme == INTERNET_SCHEME_HTTPS ? INTERNET_FLAG_SECURE : 0);
    const char* accept[] = {"*/*", nullptr};
    InternetHandle opened = Own(wininet.HttpOpenRequestA(
        connection.get(), "GET", target.path.c_str(), nullptr, nullptr, accept, flags, 0));
    if (!opened) {
      return LastErrorResult();
    }
    DWORD timeout = stallLimit;
    for (const DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                               INTERNET_OPTION_RECEIVE_TIMEOUT}) {
      wininet.InternetSetOptionA(opened.get(), option, &timeout, sizeof timeout);
    }
    const RequestDeadline request(std::move(opened), deadline);
    if (!wininet.HttpSendRequestA(request.get(), nullptr, 0, nullptr, 0)) {
      return Failure(request);
    }
    const std::optional<DWORD> status = StatusCode(wininet, request.get());
    if (!status) {
      return Failure(request);
    }
    if (IsRedirect(*status)) {
      next = RedirectTarget(wininet, request.get(), target);
      return next ? S_FALSE : INET_E_REDIRECT_FAILED;
    }
    if (*status < 200 || *status >= 300) {
      return *status == 404 ? INET_E_RESOURCE_NOT_FOUND : INET_E_DOWNLOAD_FAILURE;
    }
    return ReadBody(request);
  }

  HRESULT Run(Target target) const {
    const InternetHandle session =
        Own(wininet.InternetOpenA("Nexolant", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) {
      return LastErrorResult();
    }
    for (int redirects = 0; redirects <= kMaxRedirects; ++redirects) {
      std::optional<Target> next;
      if (const HRESULT result = Get(session.get(), target, next); result != S_FALSE) {
        return result;
      }
      target = std::move(*next);
    }
    return INET_E_REDIRECT_FAILED;
  }
};

// What bounds one download: the stall limit of each wait, the deadline of the whole, the cap.
struct Limits {
  DWORD stallLimit;
  steady_clock::time_point deadline;
  std::uint64_t maxBytes;
};

HRESULT Download(const WinInetLibrary& wininet, const std::string& url,
                 const platform::Path& fileName, const Limits& limits) {
  const std::optional<Target> target = TargetOf(wininet, url);
  if (!target) {
    return INET_E_UNKNOWN_PROTOCOL;
  }
  const platform::Path folder = FolderOf(fileName);
  platform::Path tempName;
  if (folder.HasExact()) {
    wchar_t name[MAX_PATH];
    if (GetTempFileNameW(WideOf(folder).c_str(),
                         WideFromAnsi(platform::kDownloadTempPrefix).c_str(), 0, name) == 0) {
      return LastErrorResult();
    }
    tempName = PathFromWide(name);
  } else {
    char name[MAX_PATH];
    if (GetTempFileNameA(folder.ansi.c_str(), platform::kDownloadTempPrefix, 0, name) == 0) {
      return LastErrorResult();
    }
    tempName = std::string(name);
  }
  TemporaryFile temp(std::move(tempName));
  {
    const UniqueFile file(OnPath(
        temp.path(),
        [](const char* name) {
          return CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                             nullptr);
        },
        [](const wchar_t* name) {
          return CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                             nullptr);
        }));
    if (!file) {
      return LastErrorResult();
    }
    const Fetch fetch{wininet, limits.stallLimit, limits.deadline, limits.maxBytes, file.get()};
    if (const HRESULT result = fetch.Run(*target); result != S_OK) {
      return result;
    }
  }
  constexpr DWORD kMove = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
  const BOOL moved = fileName.HasExact()
                         ? MoveFileExW(WideOf(temp.path()).c_str(), WideOf(fileName).c_str(), kMove)
                         : MoveFileExA(temp.path().ansi.c_str(), fileName.ansi.c_str(), kMove);
  if (!moved) {
    return LastErrorResult();
  }
  temp.Keep();
  return S_OK;
}

}  // namespace

platform::Outcome Win32Downloader::DownloadToFile(const std::string& url,
                                                  const platform::Path& fileName,
                                                  std::uint64_t maxBytes) {
  const steady_clock::time_point deadline = steady_clock::now() + deadline_;
  try {
    const WinInetLibrary wininet;
    if (!wininet.Bound()) {
      return platform::Outcome::Of(static_cast<std::uint32_t>(LastErrorResult()));
    }
    const Limits limits{static_cast<DWORD>(stallLimit_.count()), deadline, maxBytes};
    return platform::Outcome::Of(
        static_cast<std::uint32_t>(Download(wininet, url, fileName, limits)));
  } catch (const std::exception&) {
    // The deadline's thread could not start.
    return platform::Outcome::Of(static_cast<std::uint32_t>(E_FAIL));
  }
}

}  // namespace nexolant::win32
