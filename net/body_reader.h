// The read loop shared by every transfer. Windows-free.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "net/idle_bound.h"

// An HTTP response body as the read loop sees it: WinINet in the program, scripted in tests.
class HttpSource {
 public:
  virtual ~HttpSource() = default;
  // The length that the response's headers declare, when they declare one.
  virtual std::optional<std::uint64_t> DeclaredLength() = 0;
  // One blocking read of at most size bytes. False when the read failed; got is the count that
  // the read reported (0 at the end of the body).
  virtual bool Read(char* buffer, std::size_t size, std::size_t& got) = 0;
};

// Where a response body goes while it arrives.
class BodySink {
 public:
  virtual ~BodySink() = default;
  // Before the first read, when the response declares its length.
  virtual void ExpectLength(std::uint64_t) {}
  // After every read, failed or not, with the count that it reported.
  virtual void AfterRead(std::size_t) {}
  // The next count (> 0) bytes of the body. False rejects the body: the transfer fails.
  virtual bool Take(const char* data, std::size_t count) = 0;
};

// Collects the body in memory, as received: embedded zero bytes included. Rejects a body longer
// than maxBytes.
class StringBody : public BodySink {
 public:
  explicit StringBody(std::size_t maxBytes = static_cast<std::size_t>(-1)) : maxBytes_(maxBytes) {}
  bool Take(const char* data, std::size_t count) override {
    if (count > maxBytes_ - bytes.size()) return false;
    bytes.append(data, count);
    return true;
  }

  std::string bytes;

 private:
  std::size_t maxBytes_;
};

// Reads source into sink, size bytes at a time through buffer, until the body ends. True only
// when the body arrived whole: it ended on a successful empty read, the sink took every part, and
// it is as long as the response declared. A read that fails is tried again, a few times in a row
// at most. Each read that brings bytes notes progress on watch; once the caller has given up,
// reading stops.
bool ReadWholeBody(HttpSource& source, char* buffer, std::size_t size, BodySink& sink,
                   IdleWatch& watch);
