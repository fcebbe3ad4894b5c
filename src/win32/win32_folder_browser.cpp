#include "win32/win32_folder_browser.h"

#include <windows.h>

#include <shlobj.h>

#include <memory>

#include "win32/com_objects.h"
#include "win32/com_scope.h"

namespace nexolant::win32 {
namespace {

struct PidlFree {
  void operator()(ITEMIDLIST* pidl) const { CoTaskMemFree(pidl); }
};
using UniquePidl = std::unique_ptr<ITEMIDLIST, PidlFree>;

// The item's file-system path; empty when it has none.
std::string PathOf(LPCITEMIDLIST pidl) {
  char path[MAX_PATH] = {};
  return SHGetPathFromIDListA(pidl, path) ? std::string(path) : std::string();
}

// The shell's parsing name of the item when the shell gives it as ANSI text; empty otherwise.
std::string PlainParsingName(LPCITEMIDLIST pidl) {
  ComPtr<IShellFolder> parent;
  LPCITEMIDLIST child = nullptr;
  if (FAILED(SHBindToParent(pidl, IID_IShellFolder, parent.OutVoid(), &child))) {
    return {};
  }
  STRRET name{};
  if (FAILED(parent->GetDisplayNameOf(child, SHGDN_FORPARSING, &name))) {
    return {};
  }
  switch (name.uType) {
    case STRRET_CSTR:
      return name.cStr;
    case STRRET_OFFSET:
      return reinterpret_cast<const char*>(child) + name.uOffset;
    case STRRET_WSTR:
      CoTaskMemFree(name.pOleStr);
      break;
    default:
      break;
  }
  return {};
}

void CentreOnScreen(HWND dialog) {
  RECT frame;
  if (!GetWindowRect(dialog, &frame)) {
    return;
  }
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM lParam, LPARAM data) {
  const auto& request = *reinterpret_cast<const platform::FolderBrowseRequest*>(data);
  // Nothing may escape into the shell's dialog code: a failure leaves the line empty.
  try {
    if (message == BFFM_INITIALIZED) {
      CentreOnScreen(dialog);
      if (!request.initialFolder.empty()) {
        // Once now and once more when the dialog has finished starting: the shell may still be
        // filling its tree now and then drop the first request. The folder outlives the dialog.
        const auto folder = reinterpret_cast<LPARAM>(request.initialFolder.c_str());
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, folder);
        PostMessageA(dialog, BFFM_SETSELECTIONA, TRUE, folder);
      }
    } else if (message == BFFM_SELCHANGED && request.statusText) {
      const auto pidl = reinterpret_cast<LPCITEMIDLIST>(lParam);
      platform::FolderSelection selection{.path = PathOf(pidl)};
      if (selection.path.empty()) {
        selection.parsingName = PlainParsingName(pidl);
      }
      const std::string text = request.statusText(selection);
      SendMessageA(dialog, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
  } catch (...) {
    SendMessageA(dialog, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(""));
  }
  return 0;
}

}  // namespace

std::optional<std::string> Win32FolderBrowser::Browse(
    const platform::FolderBrowseRequest& request) {
  const ComScope com;
  ITEMIDLIST* rawRoot = nullptr;
  SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &rawRoot);
  const UniquePidl root(rawRoot);
  char displayName[MAX_PATH] = {};
  BROWSEINFOA info{};
  info.hwndOwner = GetActiveWindow();
  info.pidlRoot = root.get();
  info.pszDisplayName = displayName;
  info.lpszTitle = request.instruction.c_str();
  info.ulFlags = BIF_STATUSTEXT;
  info.lpfn = &BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(&request);
  const UniquePidl chosen(SHBrowseForFolderA(&info));
  if (!chosen) {
    return std::nullopt;
  }
  return PathOf(chosen.get());
}

}  // namespace nexolant::win32
