#pragma once

#include <windows.h>

#include <shobjidl.h>

#include <string>

#include "win32/com_objects.h"
#include "win32/com_scope.h"

namespace nexolant::win32 {

// Writes a shortcut with the shell's link object, as an installer does.
inline HRESULT MakeShortcut(const std::wstring& link, const std::wstring& target,
                            const std::wstring& arguments) {
  const ComScope com;
  ComPtr<IShellLinkW> shellLink;
  ComPtr<IPersistFile> file;
  HRESULT result = CoCreateInstance(__uuidof(ShellLink), nullptr, CLSCTX_INPROC_SERVER,
                                    __uuidof(IShellLinkW), shellLink.OutVoid());
  if (SUCCEEDED(result)) {
    result = shellLink->SetPath(target.c_str());
  }
  if (SUCCEEDED(result)) {
    result = shellLink->SetArguments(arguments.c_str());
  }
  if (SUCCEEDED(result)) {
    result = shellLink->QueryInterface(__uuidof(IPersistFile), file.OutVoid());
  }
  if (SUCCEEDED(result)) {
    result = file->Save(link.c_str(), TRUE);
  }
  return result;
}

}  // namespace nexolant::win32
