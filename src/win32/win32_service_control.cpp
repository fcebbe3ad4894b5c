#include "win32/win32_service_control.h"

#include <windows.h>

#include "win32/unique_handle.h"
#include "win32/wide_names.h"

namespace nexolant::win32 {
namespace {

constexpr ULONGLONG kStopWaitMilliseconds = 10000;
constexpr DWORD kStopPollMilliseconds = 50;

struct OpenedService {
  UniqueServiceHandle manager;
  UniqueServiceHandle service;
  DWORD error = ERROR_SUCCESS;
};

OpenedService OpenByName(const std::string& name, DWORD access) {
  OpenedService opened;
  opened.manager.reset(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
  if (opened.manager) {
    opened.service.reset(OpenServiceW(opened.manager.get(), WideFromAnsi(name).c_str(), access));
  }
  if (!opened.service) {
    opened.error = GetLastError();
  }
  return opened;
}

// The service's state now; 0 when it cannot be read.
DWORD CurrentState(SC_HANDLE service, DWORD& error) {
  SERVICE_STATUS_PROCESS status{};
  DWORD size = 0;
  if (!QueryServiceStatusEx(service, SC_STATUS_PROCESS_INFO, reinterpret_cast<BYTE*>(&status),
                            sizeof status, &size)) {
    error = GetLastError();
    return 0;
  }
  return status.dwCurrentState;
}

}  // namespace

platform::Outcome Win32ServiceControl::Stop(const std::string& name) {
  const OpenedService opened = OpenByName(name, SERVICE_STOP | SERVICE_QUERY_STATUS);
  if (!opened.service) {
    return platform::Outcome::Failure(opened.error);
  }
  SERVICE_STATUS status{};
  if (!ControlService(opened.service.get(), SERVICE_CONTROL_STOP, &status)) {
    const DWORD error = GetLastError();
    if (error == ERROR_SERVICE_NOT_ACTIVE) {
      return {};
    }
    // A service already stopping cannot take the control again; it is waited for as well.
    if (error != ERROR_SERVICE_CANNOT_ACCEPT_CTRL) {
      return platform::Outcome::Failure(error);
    }
  }
  const ULONGLONG deadline = GetTickCount64() + kStopWaitMilliseconds;
  for (;;) {
    DWORD error = ERROR_SUCCESS;
    const DWORD state = CurrentState(opened.service.get(), error);
    if (state == SERVICE_STOPPED) {
      return {};
    }
    if (state == 0) {
      return platform::Outcome::Failure(error);
    }
    if (GetTickCount64() >= deadline) {
      return platform::Outcome::Failure(ERROR_SERVICE_REQUEST_TIMEOUT);
    }
    Sleep(kStopPollMilliseconds);
  }
}

platform::Outcome Win32ServiceControl::Delete(const std::string& name) {
  const OpenedService opened = OpenByName(name, DELETE);
  if (!opened.service) {
    return platform::Outcome::Failure(opened.error);
  }
  if (!DeleteService(opened.service.get())) {
    return platform::Outcome::Failure(GetLastError());
  }
  return {};
}

}  // namespace nexolant::win32
