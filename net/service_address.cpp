#include "net/service_address.h"

#include "build_config.h"
#include "net/host_address.h"

namespace {

constexpr std::size_t kFormattedAddressLimit = 255;

constexpr std::optional<HostAddress> kServiceHost = ParseHostAddress(KOLOROWISKO_SERVICE_HOST);
constexpr std::optional<HostAddress> kReportHost = ParseHostAddress(KOLOROWISKO_REPORT_HOST);
static_assert(kServiceHost, "KOLOROWISKO_SERVICE_HOST must be [https:// or http://]host[:port]");
static_assert(kReportHost, "KOLOROWISKO_REPORT_HOST must be [https:// or http://]host[:port]");

bool StartsWith(const std::string& text, const char* prefix) {
  return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

}  // namespace

std::string HostUrl(const HostAddress& host, const std::string& pathAndQuery) {
  return (host.secure ? "https://" : "http://") + std::string(host.authority) + pathAndQuery;
}

std::string ServiceUrl(const std::string& pathAndQuery) {
  return HostUrl(*kServiceHost, pathAndQuery);
}

std::string ReportUrl(const std::string& pathAndQuery) {
  return HostUrl(*kReportHost, pathAndQuery);
}

std::string StartPageAddress() { return ReportUrl("/"); }

std::string WallpaperPageAddress(int wallpaperId) {
  return FormattedAddress(ServiceUrl("/zmiana.html?t=" + std::to_string(wallpaperId)));
}

std::string FormattedAddress(std::string address) {
  if (address.size() > kFormattedAddressLimit) address.resize(kFormattedAddressLimit);
  return address;
}

void ApplyHttpScheme(std::string& url) {
  if (!StartsWith(url, "http://") && !StartsWith(url, "https://")) url.insert(0, "http://");
}
