// Addresses on the wallpaper service's two hosts, fixed at build time. Windows-free.
#pragma once

#include <string>

// "http://" + the service host + pathAndQuery (which starts with "/").
std::string ServiceUrl(const std::string& pathAndQuery);
// "http://" + the report host + pathAndQuery.
std::string ReportUrl(const std::string& pathAndQuery);
