// Addresses on the wallpaper service's two hosts (fixed at build time, with their scheme), and the
// rules for the values and links put into them. Windows-free.
#pragma once

#include <string>
#include <string_view>

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

// Each byte for which escaped(byte) holds as %XX (upper-case hexadecimal), every other as it is.
std::string EscapeBytes(std::string_view value, bool (*escaped)(unsigned char));
// A local path as the path of a file or res address: "#" would start a fragment, and "%" an
// escape, so both are escaped.
std::string FileAddressPath(std::string_view path);
// Escapes, as %XX, only the bytes that would break a query value: control bytes and the space
// (up to 0x20), bytes from 0x7F, and "%", "&", "+", "#", "=". Every other byte goes as it is, so
// ordinary names and codes are sent byte for byte.
std::string EscapeQueryValue(std::string_view value);
// Undoes that escaping: each "%" followed by two hexadecimal digits becomes its byte; any other
// "%" stays as it is.
std::string UnescapeQueryValue(std::string_view value);

// Puts "http://" in front of url unless it begins with "http://" or "https://" exactly (compared
// case-sensitively, so "HTTP://x" becomes "http://HTTP://x").
void ApplyHttpScheme(std::string& url);
