// COM helpers of the browser host: a BSTR owner, the control's automation interface, and the
// answer of the host methods that the control has no reason to call.
#pragma once

#include <windows.h>
#include <exdisp.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <string>
#include <utility>

// A move-only owner of a BSTR: freed exactly once, when it goes out of scope.
class ScopedBstr {
 public:
  ScopedBstr() = default;
  // Null when the string cannot be allocated.
  explicit ScopedBstr(const std::wstring& text)
      : value_(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  ScopedBstr(const ScopedBstr&) = delete;
  ScopedBstr& operator=(const ScopedBstr&) = delete;
  ScopedBstr(ScopedBstr&& other) noexcept : value_(std::exchange(other.value_, nullptr)) {}
  ScopedBstr& operator=(ScopedBstr&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.value_, nullptr));
    return *this;
  }
  ~ScopedBstr() { Reset(); }

  BSTR Get() const { return value_; }
  explicit operator bool() const { return value_ != nullptr; }
  // For out-parameters of the calls that allocate the string.
  BSTR* Receive() {
    Reset();
    return &value_;
  }
  // The text with its recorded length; empty for a null string.
  std::wstring Text() const {
    return value_ ? std::wstring(value_, ::SysStringLen(value_)) : std::wstring();
  }

 private:
  void Reset(BSTR value = nullptr) {
    if (value_) ::SysFreeString(value_);
    value_ = value;
  }

  BSTR value_ = nullptr;
};

// The control's IWebBrowser2; null when there is no control (it was never created) or it does not
// answer.
Microsoft::WRL::ComPtr<IWebBrowser2> QueryWebBrowser(IOleObject* browserObject);

// Shows a box naming the method, captioned "Not Implemented", and answers E_NOTIMPL.
HRESULT NotImplemented(const wchar_t* method);
