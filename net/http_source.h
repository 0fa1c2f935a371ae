// An HTTP response body as the read loop sees it: WinINet in the program, scripted in tests.
// Windows-free.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

class HttpSource {
 public:
  virtual ~HttpSource() = default;
  // The length that the response's headers declare, when they declare one.
  virtual std::optional<std::uint64_t> DeclaredLength() = 0;
  // One blocking read of at most size bytes. False when the read failed; got is the count that
  // the read reported (0 at the end of the body).
  virtual bool Read(char* buffer, std::size_t size, std::size_t& got) = 0;
};
