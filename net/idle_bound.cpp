#include "net/idle_bound.h"

IdleWatch::IdleWatch() : lastProgress_(std::chrono::steady_clock::now()) {}

void IdleWatch::NoteProgress() {
  std::lock_guard<std::mutex> lock(mutex_);
  lastProgress_ = std::chrono::steady_clock::now();
}

bool IdleWatch::GivenUp() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return givenUp_;
}

bool IdleWatch::WaitForFinish(std::chrono::steady_clock::duration idleBound) {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!finished_) {
    // Progress moves the deadline, so it is computed afresh after every wake-up.
    const auto deadline = lastProgress_ + idleBound;
    if (std::chrono::steady_clock::now() >= deadline) {
      givenUp_ = true;
      return false;
    }
    changed_.wait_until(lock, deadline);
  }
  return true;
}
