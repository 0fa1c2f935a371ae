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

void IdleWatch::OnGiveUp(std::function<void()> cancel) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (!givenUp_) {
    cancel_ = std::move(cancel);
    return;
  }
  lock.unlock();
  if (cancel) cancel();
}

bool IdleWatch::WaitForFinish(std::chrono::steady_clock::duration idleBound,
                              std::chrono::steady_clock::time_point deadline) {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!finished_) {
    // Progress moves the idle deadline, so it is computed afresh after every wake-up.
    const auto idleDeadline = lastProgress_ + idleBound;
    const auto wakeUp = idleDeadline < deadline ? idleDeadline : deadline;
    if (std::chrono::steady_clock::now() >= wakeUp) {
      givenUp_ = true;
      std::function<void()> cancel = std::move(cancel_);
      lock.unlock();
      if (cancel) cancel();
      return false;
    }
    changed_.wait_until(lock, wakeUp);
  }
  return true;
}
