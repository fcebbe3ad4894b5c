#pragma once

#include <cstdint>
#include <string>

#include "platform/folder_lock.h"
#include "win32/unique_handle.h"

namespace nexolant::win32 {

// The folder lock as a named mutex, which every user may wait on and give back, so that a
// scheduled task of another account shares it with the window. Waits with WaitForSingleObject;
// an abandoned mutex is held all the same.
class Win32FolderLock final : public platform::FolderLock {
 public:
  // Creates the mutex of that name, or opens the one another process made. Throws
  // platform::SystemError when neither can be done.
  explicit Win32FolderLock(const std::string& name);

  platform::Outcome Acquire(std::uint32_t milliseconds) override;
  void Release() override;

 private:
  UniqueHandle mutex_;
};

}  // namespace nexolant::win32
