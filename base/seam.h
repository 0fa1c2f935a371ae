// The one way tests replace what would block them or what they must control (a message box, the
// shell, a failing write, a short time bound): each such dependency is a Seam, and its owner
// offers a setter that puts a replacement in place and returns the previous one. Windows-free.
#pragma once

#include <utility>

template <typename T>
class Seam {
 public:
  constexpr explicit Seam(T initial) : value_(std::move(initial)) {}
  Seam(const Seam&) = delete;
  Seam& operator=(const Seam&) = delete;

  const T& Get() const { return value_; }
  T Replace(T replacement) { return std::exchange(value_, std::move(replacement)); }

 private:
  T value_;
};
