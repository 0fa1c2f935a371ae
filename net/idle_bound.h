// Bounds how long a caller waits for blocking work that can stall, such as a read from a peer that
// has stopped sending: the work runs on a helper thread, and the caller gives up on it once it has
// shown no progress for a set time. Windows-free.
//
// A helper that was given up on is left to finish on its own, later, so the work must own
// everything it touches (no references to the caller's stack), and whatever it returns after the
// caller has gone is destroyed on the helper thread.
#pragma once

#include <chrono>
#include <condition_variable>
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
  // Helper side: runs deliver and ends the caller's wait, unless the caller has given up already.
  template <typename Deliver>
  void Finish(Deliver deliver) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (givenUp_) return;
    deliver();
    finished_ = true;
    changed_.notify_all();
  }

  // Caller side: true when the work finished; false when it went idleBound without progress, in
  // which case the caller has given up for good.
  bool WaitForFinish(std::chrono::steady_clock::duration idleBound);

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::chrono::steady_clock::time_point lastProgress_;
  bool finished_ = false;
  bool givenUp_ = false;
};

// Runs work(IdleWatch&), which returns a std::optional, on a helper thread and waits for its
// result. Empty when the work failed, threw, or went idleBound without noting progress. Throws
// std::system_error when no thread can be started.
template <typename Work>
auto RunWithIdleBound(std::chrono::steady_clock::duration idleBound, Work work)
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
  if (!shared->watch.WaitForFinish(idleBound)) return Result();
  return std::move(shared->result);
}
