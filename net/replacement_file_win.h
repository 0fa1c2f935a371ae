// A new file that takes an existing file's place only once it is complete.
#pragma once

#include <cstddef>
#include <string>

#include "app/scoped_win.h"

// Creates a temporary file in the destination's folder (so that the final move is a rename on
// the same volume). Until Commit succeeds, the destination is not touched, and the temporary
// file is removed when its owner lets go of it. Move-only.
class ReplacementFile {
 public:
  explicit ReplacementFile(const std::string& destination);
  ReplacementFile(ReplacementFile&& other) noexcept;
  ReplacementFile& operator=(ReplacementFile&& other) noexcept;
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;
  ~ReplacementFile();

  // False when the temporary file could not be created.
  explicit operator bool() const { return file_.IsValid(); }
  // False when not every byte was written.
  bool Write(const char* data, std::size_t size);
  // Closes the temporary file and moves it over the destination.
  bool Commit();

 private:
  void Discard();

  std::string destination_;
  std::string temporary_;
  ScopedFile file_;
};
