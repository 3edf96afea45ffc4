#include "access/telvane/timer_service.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace zel::telvane {
namespace {

// Waits at most `limit` for the condition; tests never hang on a timer that does not fire.
template <typename Condition>
bool WaitFor(Condition condition, std::chrono::milliseconds limit = std::chrono::seconds(5)) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

TEST(TimerService, FiresOnceAndRestartReplacesTheCallback) {
  TimerService timers;
  timers.start();
  std::atomic<int> first{0};
  std::atomic<int> second{0};
  timers.set(1, 10'000, [&] { ++first; });
  timers.set(1, 20, [&] { ++second; });  // restarting the timer replaces the first one
  ASSERT_TRUE(WaitFor([&] { return second.load() == 1; }));
  EXPECT_FALSE(timers.running(1));
  std::atomic<int> marker{0};
  timers.set(2, 20, [&] { ++marker; });
  ASSERT_TRUE(WaitFor([&] { return marker.load() == 1; }));
  EXPECT_EQ(first.load(), 0);
  EXPECT_EQ(second.load(), 1);  // a fired timer does not fire again
}

TEST(TimerService, CancelledTimerNeverFiresAndStopForgetsAll) {
  TimerService timers;
  timers.start();
  std::atomic<int> cancelled{0};
  std::atomic<int> marker{0};
  timers.set(1, 20, [&] { ++cancelled; });
  timers.cancel(1);
  timers.set(2, 60, [&] { ++marker; });
  ASSERT_TRUE(WaitFor([&] { return marker.load() == 1; }));
  EXPECT_EQ(cancelled.load(), 0);
  timers.set(3, 10'000, [] {});
  timers.stop();
  EXPECT_FALSE(timers.running(3));
}

TEST(TimerService, CallbackMayStartTimers) {
  TimerService timers;
  timers.start();
  std::atomic<int> chain{0};
  std::function<void()> step = [&] {
    if (++chain < 3) timers.set(1, 5, step);
  };
  timers.set(1, 5, step);
  ASSERT_TRUE(WaitFor([&] { return chain.load() == 3; }));
}

}  // namespace
}  // namespace zel::telvane
