// Move-only owners of Windows handles: each closes its handle exactly once, when it goes out of
// scope, so an early return cannot leak one and a copy cannot close one twice.
#pragma once

#include <windows.h>

#include <utility>

template <typename Traits>
class ScopedWin {
 public:
  using Type = typename Traits::Type;

  ScopedWin() = default;
  explicit ScopedWin(Type value) : value_(value) {}
  ScopedWin(const ScopedWin&) = delete;
  ScopedWin& operator=(const ScopedWin&) = delete;
  ScopedWin(ScopedWin&& other) noexcept : value_(std::exchange(other.value_, Traits::Invalid())) {}
  ScopedWin& operator=(ScopedWin&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.value_, Traits::Invalid()));
    return *this;
  }
  ~ScopedWin() { Reset(); }

  Type Get() const { return value_; }
  bool IsValid() const { return value_ != Traits::Invalid(); }
  explicit operator bool() const { return IsValid(); }
  // For out-parameters of the API that creates the handle.
  Type* Receive() {
    Reset();
    return &value_;
  }
  Type Release() { return std::exchange(value_, Traits::Invalid()); }
  void Reset(Type value = Traits::Invalid()) {
    if (value_ != Traits::Invalid()) Traits::Close(value_);
    value_ = value;
  }

 private:
  Type value_ = Traits::Invalid();
};

struct FileHandleTraits {
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Type h) { ::CloseHandle(h); }
};
struct KernelHandleTraits {
  using Type = HANDLE;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { ::CloseHandle(h); }
};
struct FindHandleTraits {
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Type h) { ::FindClose(h); }
};
struct RegKeyTraits {
  using Type = HKEY;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { ::RegCloseKey(h); }
};

// A handle from CreateFile or FindFirstFile-style calls, where failure is INVALID_HANDLE_VALUE.
using ScopedFile = ScopedWin<FileHandleTraits>;
// A handle from OpenProcess, CreateThread, CreateEvent: failure is null.
using ScopedKernelHandle = ScopedWin<KernelHandleTraits>;
using ScopedFind = ScopedWin<FindHandleTraits>;
using ScopedRegKey = ScopedWin<RegKeyTraits>;
