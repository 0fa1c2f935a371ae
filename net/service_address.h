// Addresses on the wallpaper service's two hosts (fixed at build time, with their scheme), and the
// rule for the links put into them; the escaping of values is base/address_text.h. Windows-free.
#pragma once

#include <string>
#include <string_view>

#include "base/address_text.h"
#include "net/host_address.h"

// The host's scheme ("https://" or "http://") + its host[:port] + pathAndQuery (which starts
// with "/").
std::string HostUrl(const HostAddress& host, const std::string& pathAndQuery);
// HostUrl on the service host, and on the report host (see host_address.h for their forms).
std::string ServiceUrl(const std::string& pathAndQuery);
std::string ReportUrl(const std::string& pathAndQuery);

// The service's start page, on the report host.
std::string StartPageAddress();
// The page of one wallpaper (to view, comment on, rate or add it to the favourites), on the
// service host.
std::string WallpaperPageAddress(int wallpaperId);
// An address that was built in a 256-byte buffer: the service never saw one longer than 255.
std::string FormattedAddress(std::string address);

// Puts "http://" in front of url unless it begins with "http://" or "https://" exactly (compared
// case-sensitively, so "HTTP://x" becomes "http://HTTP://x").
void ApplyHttpScheme(std::string& url);
