#include "net/body_reader.h"

#include <cstdint>
#include <optional>

namespace {

// A failing connection must not keep the caller reading for ever.
constexpr int kReadRetries = 3;

}  // namespace

bool ReadWholeBody(HttpSource& source, char* buffer, std::size_t size, BodySink& sink,
                   IdleWatch& watch) {
  const std::optional<std::uint64_t> declared = source.DeclaredLength();
  if (declared) sink.ExpectLength(*declared);
  std::uint64_t received = 0;
  int failuresInARow = 0;
  while (!watch.GivenUp()) {
    std::size_t got = 0;
    const bool ok = source.Read(buffer, size, got);
    sink.AfterRead(got);
    if (!ok) {
      if (++failuresInARow > kReadRetries) return false;
      continue;
    }
    failuresInARow = 0;
    // Wine reports a connection closed early as the end of the body: only the declared length
    // tells a cut body from a whole one.
    if (got == 0) return !declared || received >= *declared;
    watch.NoteProgress();
    received += got;
    if (!sink.Take(buffer, got)) return false;
  }
  return false;
}
