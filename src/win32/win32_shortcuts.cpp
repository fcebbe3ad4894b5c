#include "win32/win32_shortcuts.h"

#include <windows.h>

#include <shobjidl.h>

#include <vector>

#include "win32/com_objects.h"
#include "win32/com_scope.h"
#include "win32/wide_names.h"

namespace nexolant::win32 {
namespace {

// A link can hold a longer path and longer arguments than MAX_PATH; the longest path the
// system takes is enough for both.
constexpr int kTextLimit = 32768;

}  // namespace

platform::ShortcutTarget Win32Shortcuts::TargetOf(const platform::Path& shortcut) {
  const ComScope com;
  ComPtr<IShellLinkW> link;
  HRESULT result = CoCreateInstance(__uuidof(ShellLink), nullptr, CLSCTX_INPROC_SERVER,
                                    __uuidof(IShellLinkW), link.OutVoid());
  ComPtr<IPersistFile> file;
  if (SUCCEEDED(result)) {
    result = link->QueryInterface(__uuidof(IPersistFile), file.OutVoid());
  }
  if (SUCCEEDED(result)) {
    result = file->Load(WideOf(shortcut).c_str(), STGM_READ);
  }
  std::vector<wchar_t> text(kTextLimit);
  platform::ShortcutTarget target;
  // The raw path: variables as the link writes them, and no look-up of where the target went.
  if (SUCCEEDED(result)) {
    result = link->GetPath(text.data(), kTextLimit, nullptr, SLGP_RAWPATH);
    // S_FALSE: the link names no file (a shell item, an address).
    target.path = result == S_OK ? Utf8FromWide(text.data()) : std::string();
  }
  if (SUCCEEDED(result)) {
    text[0] = L'\0';
    result = link->GetArguments(text.data(), kTextLimit);
    target.arguments = Utf8FromWide(text.data());
  }
  if (FAILED(result)) {
    return {.error = ErrorOfResult(result)};
  }
  return target;
}

}  // namespace nexolant::win32
