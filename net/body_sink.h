// Where a response body goes while it arrives. Windows-free.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

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

// Collects the body in memory, as received: embedded zero bytes included.
class StringBody : public BodySink {
 public:
  bool Take(const char* data, std::size_t count) override {
    bytes.append(data, count);
    return true;
  }

  std::string bytes;
};
