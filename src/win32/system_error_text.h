#pragma once

#include <windows.h>

#include <string>

#include "platform/errors.h"

namespace nexolant::win32 {

// The system's message for an error code, without the line break that ends it.
std::string SystemErrorText(DWORD code);

// A SystemError for the calling thread's last error code.
platform::SystemError LastSystemError();

}  // namespace nexolant::win32
