// Blocking GET requests over WinINet, each with its own internet session: their size limits, why
// one failed, and the bounds of a transfer that goes quiet or goes on too long. An https transfer
// whose certificate is not accepted, or whose answer came over http, fails as a connection that
// failed, and the log says why.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

// The size limits of the transfers: a text answer (selection, link report, login) and an image
// stored by name or number.
constexpr std::size_t kMaxTextBytes = 65536;
constexpr std::size_t kMaxStoredImageBytes = 67108864;

// Why a transfer failed.
enum class FetchFailure {
  None,
  NoConnection,  // no answer came: no network, the host not found, the connection refused
  TimeOut,       // no byte came for the idle bound, or the transfer passed its deadline
  Broken,        // the answer came but its body failed: a read error, too long, not whole
  NotImage,      // the whole body came, but it is no whole image (an error or sign-in page)
};

// Stores the whole body in path; false, and path as it was, when the transfer fails or the body
// is longer than maxBytes.
bool FetchToFile(const std::string& url, const std::string& path,
                 std::size_t maxBytes = kMaxStoredImageBytes);
// FetchToFile that stores only a whole BMP, JPEG or PNG file (see ImageCompleteness): a body cut
// short that the connection passed off as whole is not kept.
// Each of these tells why it failed in *failure, when given.
bool FetchImageToFile(const std::string& url, const std::string& path,
                      std::size_t maxBytes = kMaxStoredImageBytes, FetchFailure* failure = nullptr);
// The body, empty when nothing could be fetched or it is longer than maxBytes.
std::string FetchToString(const std::string& url, std::size_t maxBytes = kMaxTextBytes,
                          FetchFailure* failure = nullptr);
// Stores the body in path only when it is whole, at most maxBytes and (beyond 128 bytes) a whole
// BMP, JPEG or PNG file. Puts "http://" in front of url, in place, unless it starts with http:// or
// https://.
bool FetchImage(std::string& url, const std::string& path, size_t maxBytes,
                FetchFailure* failure = nullptr);

// A transfer fails when no byte has arrived for this long. WinINet's own time-outs are set to it
// too, but Wine ignores them, so the transfer keeps its own watch.
constexpr std::chrono::milliseconds kFetchIdleBound{30000};
// Tests shorten the bound so that a stalled server fails a test in seconds.
std::chrono::milliseconds SetFetchIdleBound(std::chrono::milliseconds replacement);
// A transfer also fails when it has not ended this long after it started: a server that sends a
// chunk now and then would otherwise hold the caller for ever.
constexpr std::chrono::milliseconds kFetchDeadline{180000};
std::chrono::milliseconds SetFetchDeadline(std::chrono::milliseconds replacement);
