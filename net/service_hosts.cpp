#include "net/service_hosts.h"

#include "build_config.h"

std::string ServiceUrl(const std::string& pathAndQuery) {
  return "http://" KOLOROWISKO_SERVICE_HOST + pathAndQuery;
}

std::string ReportUrl(const std::string& pathAndQuery) {
  return "http://" KOLOROWISKO_REPORT_HOST + pathAndQuery;
}
