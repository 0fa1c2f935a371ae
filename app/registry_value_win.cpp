#include "app/registry_value_win.h"

void SetStringValue(HKEY key, const char* name, const std::string& data) {
  ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>(data.size() + 1));
}
