// HTTP transfer: blocking GET requests over WinINet, each with its own internet session.
#pragma once

#include <cstddef>
#include <string>

// Stores the whole body in path; false, and path as it was, when the transfer fails.
bool FetchToFile(const std::string& url, const std::string& path);
// The body, empty when nothing could be fetched.
std::string FetchToString(const std::string& url);
// Stores the body in path only when it is whole, at most maxBytes and (beyond 128 bytes) a BMP,
// JPEG or PNG. Puts "http://" in front of url, in place, unless it starts with http:// or https://.
bool FetchImage(std::string& url, const std::string& path, size_t maxBytes);
