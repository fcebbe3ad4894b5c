#pragma once

#include <windows.h>

#include <wininet.h>

#include <memory>

#include "win32/unique_handle.h"

namespace nexolant::win32 {

// WinINet with the functions the downloader calls, bound at run time from the system folder:
// the program does not import it, so no wininet.dll beside the program is ever loaded.
class WinInetLibrary {
 public:
  WinInetLibrary();
  WinInetLibrary(const WinInetLibrary&) = delete;
  WinInetLibrary& operator=(const WinInetLibrary&) = delete;

  // False when the library or one of its functions is missing.
  bool Bound() const { return bound_; }

  decltype(::InternetOpenA)* InternetOpenA = nullptr;
  decltype(::InternetConnectA)* InternetConnectA = nullptr;
  decltype(::HttpOpenRequestA)* HttpOpenRequestA = nullptr;
  decltype(::HttpSendRequestA)* HttpSendRequestA = nullptr;
  decltype(::HttpQueryInfoA)* HttpQueryInfoA = nullptr;
  decltype(::InternetSetOptionA)* InternetSetOptionA = nullptr;
  decltype(::InternetQueryDataAvailable)* InternetQueryDataAvailable = nullptr;
  decltype(::InternetReadFile)* InternetReadFile = nullptr;
  decltype(::InternetCloseHandle)* InternetCloseHandle = nullptr;
  decltype(::InternetCrackUrlA)* InternetCrackUrlA = nullptr;
  decltype(::InternetCombineUrlA)* InternetCombineUrlA = nullptr;

 private:
  UniqueModule module_;
  bool bound_ = false;
};

// The owner of one WinINet handle, closed through the bound library.
struct InternetHandleClose {
  decltype(::InternetCloseHandle)* close;
  void operator()(HINTERNET handle) const { close(handle); }
};
using InternetHandle = std::unique_ptr<void, InternetHandleClose>;

}  // namespace nexolant::win32
