#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <memory>
#include <optional>
#include <stdexcept>
#include <thread>

#include "net/idle_bound.h"

using namespace std::chrono_literals;

TEST(RunWithIdleBound, DeliversTheResultOfWorkThatFinishes) {
  const auto result = RunWithIdleBound(10s, [](IdleWatch&) { return std::optional<int>(7); });
  EXPECT_EQ(result, 7);
}

TEST(RunWithIdleBound, WorkThatThrowsGivesNoResult) {
  const auto result = RunWithIdleBound(
      10s, [](IdleWatch&) -> std::optional<int> { throw std::runtime_error("out of memory"); });
  EXPECT_FALSE(result);
}

TEST(RunWithIdleBound, KeepsWaitingWhileTheWorkShowsProgress) {
  const auto result = RunWithIdleBound(500ms, [](IdleWatch& watch) {
    for (int i = 0; i < 40; ++i) {
      std::this_thread::sleep_for(25ms);
      watch.NoteProgress();
    }
    return std::optional<int>(1);
  });
  EXPECT_EQ(result, 1);
}

TEST(RunWithIdleBound, GivesUpOnIdleWorkWhichFinishesLaterOnItsOwn) {
  auto release = std::make_shared<std::promise<void>>();
  auto sawGivenUp = std::make_shared<std::promise<bool>>();
  std::future<bool> givenUp = sawGivenUp->get_future();
  auto payload = std::make_shared<int>(5);
  std::weak_ptr<int> payloadAlive = payload;

  const auto result =
      RunWithIdleBound(100ms,
                       [blocked = release->get_future(), sawGivenUp, payload = std::move(payload)](
                           IdleWatch& watch) mutable -> std::optional<std::shared_ptr<int>> {
                         blocked.wait();
                         sawGivenUp->set_value(watch.GivenUp());
                         return std::move(payload);
                       });
  EXPECT_FALSE(result);

  release->set_value();
  ASSERT_EQ(givenUp.wait_for(10s), std::future_status::ready);
  EXPECT_TRUE(givenUp.get());
  // What the late work returned is dropped by the helper, not handed to anyone.
  for (int i = 0; i < 1000 && !payloadAlive.expired(); ++i) std::this_thread::sleep_for(10ms);
  EXPECT_TRUE(payloadAlive.expired());
}

TEST(RunWithBounds, GivesUpAtTheOverallBoundThoughTheWorkShowsProgress) {
  const auto start = std::chrono::steady_clock::now();
  const auto result = RunWithBounds(200ms, 300ms, [](IdleWatch& watch) {
    while (!watch.GivenUp()) {
      std::this_thread::sleep_for(20ms);
      watch.NoteProgress();
    }
    return std::optional<int>(1);
  });
  EXPECT_FALSE(result);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
}

TEST(RunWithBounds, GivingUpRunsTheCancelOnTheCallersThread) {
  const std::thread::id caller = std::this_thread::get_id();
  auto cancelledOn = std::make_shared<std::promise<std::thread::id>>();
  std::future<std::thread::id> cancelled = cancelledOn->get_future();
  auto unblock = std::make_shared<std::promise<void>>();
  const auto result = RunWithBounds(
      100ms, 10s, [cancelledOn, blocked = unblock->get_future()](IdleWatch& watch) mutable {
        watch.OnGiveUp([cancelledOn] { cancelledOn->set_value(std::this_thread::get_id()); });
        blocked.wait_for(10s);  // a blocked call that only the cancel would end
        return std::optional<int>(1);
      });
  EXPECT_FALSE(result);
  ASSERT_EQ(cancelled.wait_for(0s), std::future_status::ready);
  EXPECT_EQ(cancelled.get(), caller);
  unblock->set_value();
}
