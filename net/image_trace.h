// FetchImage's diagnostic lines on standard output, written by the caller and by its helper
// thread. Windows-free.
#pragma once

#include <mutex>
#include <string>

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
