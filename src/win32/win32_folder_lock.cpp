#include "win32/win32_folder_lock.h"

#include <windows.h>

#include <sddl.h>

#include "win32/system_error_text.h"
#include "win32/wide_names.h"

namespace nexolant::win32 {
namespace {

// Everyone: SYNCHRONIZE and MUTEX_MODIFY_STATE, which waiting and giving back take.
constexpr const wchar_t* kEveryoneMayWait = L"D:(A;;0x00100001;;;WD)";
constexpr DWORD kWaitAccess = SYNCHRONIZE | MUTEX_MODIFY_STATE;

}  // namespace

Win32FolderLock::Win32FolderLock(const std::string& name) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(kEveryoneMayWait, SDDL_REVISION_1,
                                                            &descriptor, nullptr)) {
    throw LastSystemError();
  }
  const UniqueLocalMemory owned(descriptor);
  SECURITY_ATTRIBUTES attributes{
      .nLength = sizeof attributes, .lpSecurityDescriptor = descriptor, .bInheritHandle = FALSE};
  // An existing mutex is opened with the access asked for, which its descriptor grants anyone.
  mutex_.reset(CreateMutexExW(&attributes, WideFromUtf8(name).c_str(), 0, kWaitAccess));
  if (!mutex_) {
    throw LastSystemError();
  }
}

platform::Outcome Win32FolderLock::Acquire(std::uint32_t milliseconds) {
  switch (WaitForSingleObject(mutex_.get(), milliseconds)) {
    case WAIT_OBJECT_0:
    case WAIT_ABANDONED:
      return {};
    case WAIT_TIMEOUT:
      return platform::Outcome::Failure(platform::kErrorTimeout);
    default:
      return platform::Outcome::Failure(GetLastError());
  }
}

// Fails only for a thread that does not hold the mutex, which no caller of Release is.
void Win32FolderLock::Release() {
  platform::BestEffort(ReleaseMutex(mutex_.get()) != FALSE);
}

}  // namespace nexolant::win32
