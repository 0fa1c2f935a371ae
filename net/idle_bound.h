// Bounds how long a caller waits for blocking work that can stall, such as a read from a peer that
// has stopped sending: the work runs on a helper thread, and the caller gives up on it once it has
// shown no progress for a set time, or once an overall time has passed (a peer that sends a few
// bytes now and then shows progress for ever). Windows-free.
//
// A helper that was given up on is left to finish on its own, later, so the work must own
// everything it touches (no references to the caller's stack), and whatever it returns after the
// caller has gone is destroyed on the helper thread.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <type_traits>
#include <utility>

// What the helper and the waiting caller share.
class IdleWatch {
 public:
  IdleWatch();

  // Helper side: the work has moved on; the caller's wait starts over.
  void NoteProgress();
  // Helper side: true once the caller has stopped waiting; the work should stop at its next chance.
  bool GivenUp() const;
  // Helper side: cancel runs on the caller's thread when it gives up (at once when it has already),
  // to end a blocking call that the helper is in. It replaces any earlier one.
  void OnGiveUp(std::function<void()> cancel);
  // Helper side: runs deliver and ends the caller's wait, unless the caller has given up already.
  template <typename Deliver>
  void Finish(Deliver deliver) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (givenUp_) return;
    deliver();
    finished_ = true;
    changed_.notify_all();
  }

  // Caller side: true when the work finished; false when it went idleBound without progress or
  // deadline passed, in which case the caller has given up for good.
  bool WaitForFinish(std::chrono::steady_clock::duration idleBound,
                     std::chrono::steady_clock::time_point deadline =
                         std::chrono::steady_clock::time_point::max());

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::chrono::steady_clock::time_point lastProgress_;
  bool finished_ = false;
  bool givenUp_ = false;
  std::function<void()> cancel_;
};

// Runs work(IdleWatch&), which returns a std::optional, on a helper thread and waits for its
// result. Empty when the work failed, threw, went idleBound without noting progress, or took
// longer than overall. Throws std::system_error when no thread can be started.
template <typename Work>
auto RunWithBounds(std::chrono::steady_clock::duration idleBound,
                   std::chrono::steady_clock::duration overall, Work work)
    -> std::invoke_result_t<Work&, IdleWatch&> {
  using Result = std::invoke_result_t<Work&, IdleWatch&>;
  struct Shared {
    IdleWatch watch;
    Result result;
  };
  auto shared = std::make_shared<Shared>();
  std::thread([shared, work = std::move(work)]() mutable {
    Result result;
    try {
      result = work(shared->watch);
    } catch (...) {
      // Out of memory: no result.
    }
    shared->watch.Finish([&] { shared->result = std::move(result); });
  }).detach();
  const auto deadline = std::chrono::steady_clock::now() + overall;
  if (!shared->watch.WaitForFinish(idleBound, deadline)) return Result();
  return std::move(shared->result);
}

// RunWithBounds without an overall bound worth speaking of.
template <typename Work>
auto RunWithIdleBound(std::chrono::steady_clock::duration idleBound, Work work) {
  return RunWithBounds(idleBound, std::chrono::hours(24 * 365), std::move(work));
}
