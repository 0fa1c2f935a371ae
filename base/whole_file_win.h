// Files written whole or not at all. A new file is written under a temporary name in the
// destination's folder (so the final move is a rename on the same volume), flushed to disk and
// only then renamed over the destination; until then the destination keeps what it had, and the
// temporary file is removed when its writer lets go of it. A crash or a full disk never leaves a
// file half written.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "base/scoped_win.h"

class WholeFileWriter {
 public:
  // Creates the temporary file, "kol*.tmp" under a name no other writer holds (a stalled transfer
  // to the same destination may still have its own open).
  explicit WholeFileWriter(const std::string& destination);
  WholeFileWriter(WholeFileWriter&& other) noexcept;
  WholeFileWriter& operator=(WholeFileWriter&& other) noexcept;
  WholeFileWriter(const WholeFileWriter&) = delete;
  WholeFileWriter& operator=(const WholeFileWriter&) = delete;
  ~WholeFileWriter();

  // False when the temporary file could not be created.
  explicit operator bool() const { return !temporary_.empty(); }
  // False when not every byte was written.
  bool Write(const char* data, std::size_t size);
  // For a library that must write the file itself by name (GDI+): closes the writer's own handle
  // and gives the temporary file's path; Commit then takes whatever the library wrote.
  const std::string& HandOverTemporaryPath();
  // Flushes the temporary file and renames it over the destination, waiting up to half a second
  // for someone who holds the destination open; false, with the destination as it was, when that
  // fails.
  bool Commit();

 private:
  void Discard();

  std::string destination_;
  std::string temporary_;
  ScopedFile file_;
};

// The whole of bytes as path, through a WholeFileWriter.
bool WriteWholeFile(const std::string& path, const std::string& bytes);
// Appends the file's bytes to bytes. Waits up to half a second, as a save does, for someone who
// holds the file; false when it cannot be opened or read to its end (bytes then as they were).
bool ReadWholeFile(const std::string& path, std::string& bytes);
// Copies source into folder under a temporary name, which a later start removes if it is left,
// never read-only; the copy's path, or empty when that fails.
std::string CopyToTemporaryFile(const std::string& source, const std::string& folder);
// Removes the temporary files that writers left in folder when the program was killed, read-only
// ones too.
void RemoveLeftoverTemporaryFiles(const std::string& folder);

// The write of every writer and the read of every reader; tests put failing ones in place.
using WriteFileFunction = BOOL(WINAPI*)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
WriteFileFunction SetWriteFileFunction(WriteFileFunction replacement);
using ReadFileFunction = BOOL(WINAPI*)(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED);
ReadFileFunction SetReadFileFunction(ReadFileFunction replacement);
