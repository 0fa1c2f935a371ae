#include "base/registry_win.h"

namespace {

constexpr REGSAM kAccess = KEY_WRITE | KEY_QUERY_VALUE;

}  // namespace

ScopedRegKey OpenUserKey(const char* path) {
  ScopedRegKey key;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, kAccess, key.Receive()) != ERROR_SUCCESS) {
    key.Reset();
  }
  return key;
}

ScopedRegKey CreateUserKey(const char* path) {
  ScopedRegKey key;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, kAccess,
                        nullptr, key.Receive(), nullptr) != ERROR_SUCCESS) {
    key.Reset();
  }
  return key;
}

void SetStringValue(HKEY key, const char* name, const std::string& data) {
  ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>(data.size() + 1));
}
