#pragma once

#include <windows.h>

#include <oleauto.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "platform/errors.h"

namespace nexolant::win32 {

// One reference to a COM object, released at the end of its scope.
template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { reset(); }
  ComPtr(ComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      reset();
      object_ = std::exchange(other.object_, nullptr);
    }
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  Interface* get() const { return object_; }
  Interface* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

  // Where a call that hands out a new reference puts it; the one held before is released.
  Interface** Out() {
    reset();
    return &object_;
  }
  void** OutVoid() { return reinterpret_cast<void**>(Out()); }

  void reset() {
    if (object_ != nullptr) {
      std::exchange(object_, nullptr)->Release();
    }
  }

 private:
  Interface* object_ = nullptr;
};

// A string COM allocated (BSTR), freed at the end of its scope. Empty is null, as COM allows.
class UniqueBstr {
 public:
  UniqueBstr() = default;
  explicit UniqueBstr(const std::wstring& text)
      : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  ~UniqueBstr() { SysFreeString(text_); }
  UniqueBstr(const UniqueBstr&) = delete;
  UniqueBstr& operator=(const UniqueBstr&) = delete;

  BSTR get() const { return text_; }
  BSTR* Out() {
    SysFreeString(std::exchange(text_, nullptr));
    return &text_;
  }
  std::wstring_view View() const { return {text_, SysStringLen(text_)}; }

 private:
  BSTR text_ = nullptr;
};

// The system error code a failed COM call stands for: the Win32 code it carries, or the
// HRESULT itself, which the system's message table knows as well.
inline std::uint32_t ErrorOfResult(HRESULT result) {
  const bool carriesCode = HRESULT_FACILITY(result) == FACILITY_WIN32 && HRESULT_CODE(result) != 0;
  return carriesCode ? HRESULT_CODE(result) : static_cast<std::uint32_t>(result);
}

inline platform::Outcome OutcomeOfResult(HRESULT result) {
  return SUCCEEDED(result) ? platform::Outcome{}
                           : platform::Outcome::Failure(ErrorOfResult(result));
}

}  // namespace nexolant::win32
