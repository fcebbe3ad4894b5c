#include "win32/win32_downloader.h"

#include <windows.h>

#include <urlmon.h>

#include <utility>

#include "win32/com_scope.h"
#include "win32/temporary_file.h"

namespace nexolant::win32 {
namespace {

platform::DownloadResult LastErrorResult() {
  const DWORD error = GetLastError();
  const HRESULT code = error != ERROR_SUCCESS ? HRESULT_FROM_WIN32(error) : E_FAIL;
  return {static_cast<std::uint32_t>(code)};
}

// The download's callback, there to learn the HTTP status: the system saves an error page
// (404, 500) as if it were the file and reports success. Lives on the stack for one
// synchronous download, so the reference count is not used to free it.
class StatusCallback final : public IBindStatusCallback, public IHttpNegotiate {
 public:
  DWORD HttpStatus() const { return httpStatus_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, __uuidof(IUnknown)) || IsEqualIID(iid, __uuidof(IBindStatusCallback))) {
      *object = static_cast<IBindStatusCallback*>(this);
    } else if (IsEqualIID(iid, __uuidof(IHttpNegotiate))) {
      *object = static_cast<IHttpNegotiate*>(this);
    } else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD, IBinding*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetPriority(LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnProgress(ULONG, ULONG, ULONG, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD* flags, BINDINFO*) override {
    *flags |= BINDF_GETNEWESTVERSION;  // a new reference file, never a cached copy
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

  HRESULT STDMETHODCALLTYPE BeginningTransaction(LPCWSTR, LPCWSTR, DWORD,
                                                 LPWSTR* additionalHeaders) override {
    *additionalHeaders = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnResponse(DWORD status, LPCWSTR, LPCWSTR,
                                       LPWSTR* additionalHeaders) override {
    httpStatus_ = status;
    if (additionalHeaders != nullptr) {
      *additionalHeaders = nullptr;
    }
    return S_OK;
  }

 private:
  DWORD httpStatus_ = 0;  // none yet, or not HTTP
};

// The download's own result, or a failure for an HTTP status other than 2xx.
HRESULT Download(const std::string& url, const std::string& fileName) {
  const ComScope com;
  StatusCallback callback;
  const HRESULT result = URLDownloadToFileA(nullptr, url.c_str(), fileName.c_str(), 0, &callback);
  const DWORD status = callback.HttpStatus();
  if (result != S_OK || status == 0 || (status >= 200 && status < 300)) {
    return result;
  }
  return status == 404 ? INET_E_RESOURCE_NOT_FOUND : INET_E_DOWNLOAD_FAILURE;
}

}  // namespace

platform::DownloadResult Win32Downloader::DownloadToFile(const std::string& url,
                                                         const std::string& fileName) {
  char tempName[MAX_PATH];
  if (GetTempFileNameA(FolderOf(fileName).c_str(), "nxd", 0, tempName) == 0) {
    return LastErrorResult();
  }
  TemporaryFile temp(tempName);
  if (const HRESULT result = Download(url, temp.path()); result != S_OK) {
    return {static_cast<std::uint32_t>(result)};
  }
  if (!MoveFileExA(temp.path().c_str(), fileName.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return LastErrorResult();
  }
  temp.Keep();
  return {};
}

}  // namespace nexolant::win32
