#include "tray/service_pages.h"

#include "net/service_hosts.h"

namespace {

// Formatted addresses were built in a 256-byte buffer; the service never saw longer ones.
constexpr std::size_t kFormattedAddressLimit = 255;

}  // namespace

std::string StartPageAddress() { return ReportUrl("/"); }

std::string WallpaperPageAddress(int wallpaperId) {
  std::string address = ServiceUrl("/zmiana.html?t=" + std::to_string(wallpaperId));
  if (address.size() > kFormattedAddressLimit) address.resize(kFormattedAddressLimit);
  return address;
}
