#include "win32/wininet_library.h"

#include "win32/bound_function.h"
#include "win32/system_library.h"

namespace nexolant::win32 {

WinInetLibrary::WinInetLibrary() : module_(LoadSystemLibrary("wininet.dll")) {
  const HMODULE m = module_.get();
  bound_ = m != nullptr && BindFunction(m, "InternetOpenA", InternetOpenA) &&
           BindFunction(m, "InternetConnectA", InternetConnectA) &&
           BindFunction(m, "HttpOpenRequestA", HttpOpenRequestA) &&
           BindFunction(m, "HttpSendRequestA", HttpSendRequestA) &&
           BindFunction(m, "HttpQueryInfoA", HttpQueryInfoA) &&
           BindFunction(m, "InternetSetOptionA", InternetSetOptionA) &&
           BindFunction(m, "InternetQueryDataAvailable", InternetQueryDataAvailable) &&
           BindFunction(m, "InternetReadFile", InternetReadFile) &&
           BindFunction(m, "InternetCloseHandle", InternetCloseHandle) &&
           BindFunction(m, "InternetCrackUrlA", InternetCrackUrlA) &&
           BindFunction(m, "InternetCombineUrlA", InternetCombineUrlA);
}

}  // namespace nexolant::win32
