// Puts a replacement in place through a seam's setter and restores the previous one when the
// test's scope ends, however it ends.
#pragma once

template <typename T>
class SeamReplacement {
 public:
  using Setter = T (*)(T);
  SeamReplacement(Setter setter, T replacement) : setter_(setter), previous_(setter(replacement)) {}
  ~SeamReplacement() { setter_(previous_); }
  SeamReplacement(const SeamReplacement&) = delete;
  SeamReplacement& operator=(const SeamReplacement&) = delete;

 private:
  Setter setter_;
  T previous_;
};
