// The rules for a body that FetchImage accepts, applied while it arrives, and its diagnostic
// lines. Windows-free.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

#include "image/image.h"
#include "net/body_reader.h"

// Keeps the body in memory, or hands it to store as it arrives. Rejects it once it grows past
// maxBytes, and when, past its first 128 bytes, it does not begin like a BMP, JPEG or PNG file (a
// shorter body is kept unchecked); such a body must also end whole (Whole), since a connection can
// pass off a cut body as whole. Reports each read ("read file N") and the check ("check image")
// through trace.
class ImageBody : public BodySink {
 public:
  using Trace = std::function<void(const std::string& line)>;
  // Takes the next bytes of a body that passed the checks so far; false rejects the body.
  using Store = std::function<bool(const char* data, std::size_t count)>;

  ImageBody(std::size_t maxBytes, Trace trace);
  // The body goes to store, never held whole in memory; Bytes is not the body then.
  ImageBody(std::size_t maxBytes, Trace trace, Store store);

  void ExpectLength(std::uint64_t length) override;
  void AfterRead(std::size_t count) override;
  bool Take(const char* data, std::size_t count) override;

  // After the transfer: false for a checked body that is not a whole image file.
  bool Whole() const { return !signatureChecked_ || completeness_.Whole(); }
  std::string& Bytes() { return bytes_; }

 private:
  // The signature check, once the body is past its unchecked bytes.
  bool Checked();

  std::size_t maxBytes_;
  Trace trace_;
  Store store_;
  std::string bytes_;  // the body, or with a store only its first bytes until the check
  std::size_t received_ = 0;
  bool signatureChecked_ = false;
  ImageCompleteness completeness_;
};

// FetchImage's diagnostic lines on standard output, written by the caller and by its helper
// thread.
class ImageTrace {
 public:
  // Writes line, unless LastLine has been written.
  void Line(const std::string& line);
  // Writes line and drops every later Line: a helper that was given up on says nothing more.
  void LastLine(const std::string& line);

 private:
  std::mutex mutex_;
  bool closed_ = false;
};
