#include "browser/page_address.h"

#include "base/address_text.h"

// A "#" or "%" in the path (C:\Users\Jan#2, D:\C#) would otherwise end or break the address.
std::string SettingsPageAddress(const std::string& programPath) {
  return "res://" + FileAddressPath(programPath) + "/opcje.html";
}
