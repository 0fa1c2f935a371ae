// HTTP transfer: blocking GET requests over WinINet, each with its own internet session, and the
// service's addresses (service_address.h). The read loop, the idle bound and the image body's
// rules beside them are Windows-free.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

// Stores the whole body in path; false, and path as it was, when the transfer fails.
bool FetchToFile(const std::string& url, const std::string& path);
// The body, empty when nothing could be fetched.
std::string FetchToString(const std::string& url);
// Stores the body in path only when it is whole, at most maxBytes and (beyond 128 bytes) a BMP,
// JPEG or PNG. Puts "http://" in front of url, in place, unless it starts with http:// or https://.
bool FetchImage(std::string& url, const std::string& path, size_t maxBytes);

// A transfer fails when no byte has arrived for this long. WinINet's own time-outs are set to it
// too, but Wine ignores them, so the transfer keeps its own watch.
constexpr std::chrono::milliseconds kFetchIdleBound{30000};
// Tests shorten the bound so that a stalled server fails a test in seconds.
std::chrono::milliseconds SetFetchIdleBound(std::chrono::milliseconds replacement);
