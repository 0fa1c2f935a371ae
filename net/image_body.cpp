#include "net/image_body.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "image/image.h"

namespace {

// Short replies are kept as they are; only a longer body must look like an image.
constexpr std::size_t kUncheckedBytes = 128;

void WriteTrace(const std::string& line) { std::fwrite(line.data(), 1, line.size(), stdout); }

}  // namespace

ImageBody::ImageBody(std::size_t maxBytes, Trace trace)
    : maxBytes_(maxBytes), trace_(std::move(trace)) {}

ImageBody::ImageBody(std::size_t maxBytes, Trace trace, Store store)
    : maxBytes_(maxBytes), trace_(std::move(trace)), store_(std::move(store)) {}

void ImageBody::ExpectLength(std::uint64_t length) {
  if (store_) return;
  // One allocation of the whole body instead of repeated doubling, which would need up to twice
  // its size at once; a longer body is refused anyway.
  bytes_.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(length, maxBytes_)));
}

void ImageBody::AfterRead(std::size_t count) {
  trace_("read file " + std::to_string(count) + "\n");
}

bool ImageBody::Take(const char* data, std::size_t count) {
  if (count > maxBytes_ - received_) return false;
  received_ += count;
  completeness_.Feed(reinterpret_cast<const unsigned char*>(data), count);
  if (!store_) {
    bytes_.append(data, count);
    return Checked();
  }
  // Only the head is kept, for the check.
  if (!signatureChecked_) bytes_.append(data, std::min(count, kUncheckedBytes + 1 - bytes_.size()));
  return Checked() && store_(data, count);
}

bool ImageBody::Checked() {
  if (signatureChecked_ || received_ <= kUncheckedBytes) return true;
  trace_("check image\n");
  if (!HasImageSignature(reinterpret_cast<const unsigned char*>(bytes_.data()), bytes_.size())) {
    return false;
  }
  signatureChecked_ = true;
  if (store_) std::string().swap(bytes_);
  return true;
}

void ImageTrace::Line(const std::string& line) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!closed_) WriteTrace(line);
}

void ImageTrace::LastLine(const std::string& line) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!closed_) WriteTrace(line);
  closed_ = true;
}
