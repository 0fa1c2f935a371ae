#include "net/image_trace.h"

#include <cstdio>

namespace {

void Write(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
}

}  // namespace

void ImageTrace::Line(const std::string& line) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!closed_) Write(line);
}

void ImageTrace::LastLine(const std::string& line) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!closed_) Write(line);
  closed_ = true;
}
