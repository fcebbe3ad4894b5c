#pragma once

#include <windows.h>

#include <utility>

namespace nexolant::win32 {

// A move-only owner of one Windows handle kind; Traits gives the empty value and the close call.
template <typename Traits>
class UniqueResource {
 public:
  using Handle = typename Traits::Handle;

  UniqueResource() = default;
  explicit UniqueResource(Handle handle) : handle_(handle) {}
  ~UniqueResource() { reset(); }

  UniqueResource(UniqueResource&& other) noexcept : handle_(other.release()) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) {
      reset(other.release());
    }
    return *this;
  }
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::Empty(); }

  Handle release() { return std::exchange(handle_, Traits::Empty()); }
  void reset(Handle handle = Traits::Empty()) {
    if (handle_ != Traits::Empty()) {
      Traits::Close(handle_);
    }
    handle_ = handle;
  }

 private:
  Handle handle_ = Traits::Empty();
};

struct KernelHandleTraits {  // processes, threads, files opened with CreateFile
  using Handle = HANDLE;
  static Handle Empty() { return nullptr; }
  static void Close(Handle h) { CloseHandle(h); }
};

struct FileHandleTraits {  // CreateFile and CreateToolhelp32Snapshot fail with INVALID_HANDLE_VALUE
  using Handle = HANDLE;
  static Handle Empty() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { CloseHandle(h); }
};

struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Empty() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { FindClose(h); }
};

struct RegistryKeyTraits {
  using Handle = HKEY;
  static Handle Empty() { return nullptr; }
  static void Close(Handle h) { RegCloseKey(h); }
};

struct ModuleTraits {  // libraries bound at run time
  using Handle = HMODULE;
  static Handle Empty() { return nullptr; }
  static void Close(Handle h) { FreeLibrary(h); }
};

struct GdiObjectTraits {
  using Handle = HGDIOBJ;
  static Handle Empty() { return nullptr; }
  static void Close(Handle h) { DeleteObject(h); }
};

struct IconTraits {
  using Handle = HICON;
  static Handle Empty() { return nullptr; }
  static void Close(Handle h) { DestroyIcon(h); }
};

struct MemoryDcTraits {  // device contexts made with CreateCompatibleDC
  using Handle = HDC;
  static Handle Empty() { return nullptr; }
  static void Close(Handle h) { DeleteDC(h); }
};

struct RegionTraits {
  using Handle = HRGN;
  static Handle Empty() { return nullptr; }
  static void Close(Handle h) { DeleteObject(h); }
};

struct MenuTraits {
  using Handle = HMENU;
  static Handle Empty() { return nullptr; }
  static void Close(Handle h) { DestroyMenu(h); }
};

struct ServiceHandleTraits {  // the service manager and its services
  using Handle = SC_HANDLE;
  static Handle Empty() { return nullptr; }
  static void Close(Handle h) { CloseServiceHandle(h); }
};

struct LocalMemoryTraits {  // memory the system allocated for the caller with LocalAlloc
  using Handle = HLOCAL;
  static Handle Empty() { return nullptr; }
  static void Close(Handle h) { LocalFree(h); }
};

using UniqueHandle = UniqueResource<KernelHandleTraits>;
using UniqueFileHandle = UniqueResource<FileHandleTraits>;
using UniqueFindHandle = UniqueResource<FindHandleTraits>;
using UniqueRegistryKey = UniqueResource<RegistryKeyTraits>;
using UniqueModule = UniqueResource<ModuleTraits>;
using UniqueGdiObject = UniqueResource<GdiObjectTraits>;
using UniqueIcon = UniqueResource<IconTraits>;
using UniqueMenu = UniqueResource<MenuTraits>;
using UniqueServiceHandle = UniqueResource<ServiceHandleTraits>;
using UniqueLocalMemory = UniqueResource<LocalMemoryTraits>;

}  // namespace nexolant::win32
