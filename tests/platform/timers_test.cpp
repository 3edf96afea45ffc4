#include "platform/timers.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <map>
#include <mutex>
#include <thread>

#include "support/no_deadlock.h"

namespace zel::platform {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Counts the ticks each timer id delivers to one target of the calling thread.
class TickCounter {
 public:
  TickCounter()
      : m_target([this](const Message& message) {
          if (message.id == kTimerMessage) {
            ++m_ticks[message.wParam];
          }
          return LParam{0};
        }) {}
  TargetId id() const { return m_target.id(); }
  int ticks(std::uintptr_t timerId) const {
    auto it = m_ticks.find(timerId);
    return it == m_ticks.end() ? 0 : it->second;
  }

 private:
  std::map<std::uintptr_t, int> m_ticks;
  MessageTarget m_target;  // last: its handler uses the map
};

// Dispatches the calling thread's messages until `done` holds or `limit` passes.
template <typename Done>
void PumpUntil(Done done, milliseconds limit) {
  const Clock::time_point end = Clock::now() + limit;
  while (!done() && Clock::now() < end) {
    if (std::optional<Message> message = GetMessageWithTimeout(10)) {
      DispatchMessage(*message);
    }
  }
}

class TimersTest : public ::testing::Test {
 protected:
  void TearDown() override {
    while (PeekMessage()) {
    }
  }
};

TEST_F(TimersTest, RefusesUnknownTargetsAndZeroIntervals) {
  TickCounter counter;
  EXPECT_FALSE(SetTimer(counter.id(), 1, 0));
  EXPECT_FALSE(SetTimer(0, 1, kSystemTickMs));
  EXPECT_FALSE(SetTimer(0xFFFFFFF0u, 1, kSystemTickMs));
  EXPECT_FALSE(KillTimer(counter.id(), 1));
}

TEST_F(TimersTest, TicksAtTheSystemTickAndStopsWhenKilled) {
  TickCounter counter;
  ASSERT_TRUE(SetTimer(counter.id(), 7, kSystemTickMs));
  const Clock::time_point start = Clock::now();
  PumpUntil([&] { return counter.ticks(7) >= 3; }, milliseconds(2000));
  const Clock::duration elapsed = Clock::now() - start;
  EXPECT_GE(counter.ticks(7), 3);
  EXPECT_GE(elapsed, milliseconds(3 * kSystemTickMs - 10));  // not faster than asked

  EXPECT_TRUE(KillTimer(counter.id(), 7));
  EXPECT_FALSE(KillTimer(counter.id(), 7));
  const int atKill = counter.ticks(7);
  PumpUntil([] { return false; }, milliseconds(3 * kSystemTickMs));
  EXPECT_EQ(counter.ticks(7), atKill);
}

TEST_F(TimersTest, AnUnpumpedThreadFindsOneTickNotABacklog) {
  TickCounter counter;
  ASSERT_TRUE(SetTimer(counter.id(), 3, 5));
  std::this_thread::sleep_for(milliseconds(150));
  // Ticks queued while this counts come behind the marker, so a slow count cannot see
  // more than what waited when it began.
  constexpr MessageId kMarker = 0x401;
  ASSERT_TRUE(PostThreadMessageTo(CurrentThreadId(), kMarker, 0, 0));
  int waiting = 0;
  while (std::optional<Message> message = PeekMessage()) {
    if (message->id == kMarker) {
      break;
    }
    waiting += message->id == kTimerMessage ? 1 : 0;
  }
  EXPECT_EQ(waiting, 1);
  EXPECT_TRUE(KillTimer(counter.id(), 3));
}

TEST_F(TimersTest, KillRemovesATickAlreadyWaiting) {
  TickCounter counter;
  ASSERT_TRUE(SetTimer(counter.id(), 4, 5));
  const Clock::time_point end = Clock::now() + milliseconds(2000);
  while (!PeekMessage(false) && Clock::now() < end) {
    std::this_thread::sleep_for(milliseconds(5));
  }
  ASSERT_TRUE(PeekMessage(false).has_value());
  EXPECT_TRUE(KillTimer(counter.id(), 4));
  EXPECT_FALSE(PeekMessage().has_value());
}

TEST_F(TimersTest, TimersOfOneTargetAreKeptApartAndRestartable) {
  TickCounter counter;
  ASSERT_TRUE(SetTimer(counter.id(), 1, 60000));
  ASSERT_TRUE(SetTimer(counter.id(), 2, 20));
  ASSERT_TRUE(SetTimer(counter.id(), 1, 20));  // restarted with the short interval
  PumpUntil([&] { return counter.ticks(1) >= 2 && counter.ticks(2) >= 2; }, milliseconds(2000));
  EXPECT_GE(counter.ticks(1), 2);
  EXPECT_GE(counter.ticks(2), 2);
  EXPECT_TRUE(KillTimer(counter.id(), 1));
  EXPECT_TRUE(KillTimer(counter.id(), 2));
}

TEST_F(TimersTest, TimerOfADestroyedTargetIsDropped) {
  TargetId target = CreateTarget([](const Message&) { return LParam{0}; });
  ASSERT_TRUE(SetTimer(target, 9, 5));
  DestroyTarget(target);
  // Dozens of intervals: the service has long found the target gone and let the timer go.
  std::this_thread::sleep_for(milliseconds(250));
  EXPECT_FALSE(KillTimer(target, 9));
  EXPECT_FALSE(SetTimer(target, 9, 5));
  EXPECT_FALSE(PeekMessage().has_value());
}

TEST_F(TimersTest, TicksGoToTheTargetsOwnThread) {
  std::atomic<ThreadId> handledOn{0};
  ThreadId owner = 0;
  std::thread worker([&] {
    owner = CurrentThreadId();
    MessageTarget target([&](const Message& message) {
      if (message.id == kTimerMessage) {
        handledOn = CurrentThreadId();
      }
      return LParam{0};
    });
    SetTimer(target.id(), 1, 10);
    PumpUntil([&] { return handledOn != 0; }, milliseconds(2000));
    KillTimer(target.id(), 1);
  });
  worker.join();
  EXPECT_EQ(handledOn, owner);
  EXPECT_FALSE(PeekMessage().has_value());  // nothing strayed to this thread
}

using test::ExpectFinishesWithoutDeadlock;

// Waits, at most a few seconds, for a flag another thread sets.
void AwaitFlag(const std::atomic<bool>& flag) {
  const Clock::time_point end = Clock::now() + milliseconds(5000);
  while (!flag && Clock::now() < end) {
    std::this_thread::yield();
  }
}

// The hook waits for a lock whose holder kills a timer meanwhile: the timer thread must
// not be holding what the kill needs while it calls the hook.
void HookWaitingForAKillersLock() {
  std::mutex held;
  std::atomic<bool> hookEntered{false};
  SetWakeupHook([&] {
    hookEntered = true;
    std::lock_guard wait(held);
  });
  TickCounter counter;
  std::thread killer([&] {
    std::lock_guard hold(held);
    AwaitFlag(hookEntered);
    EXPECT_TRUE(KillTimer(counter.id(), 1));
  });
  ASSERT_TRUE(SetTimer(counter.id(), 1, 5));
  killer.join();
  EXPECT_TRUE(hookEntered);
  SetWakeupHook(nullptr);
}

// A hook may kill the very timer whose tick woke it; the tick goes with it.
void HookKillingTheTimer() {
  TickCounter counter;
  std::atomic<bool> killed{false};
  std::atomic<bool> hookDone{false};
  SetWakeupHook([&] {
    if (!hookDone) {
      killed = KillTimer(counter.id(), 2);
      hookDone = true;
    }
  });
  ASSERT_TRUE(SetTimer(counter.id(), 2, 5));
  AwaitFlag(hookDone);
  EXPECT_TRUE(killed);
  EXPECT_FALSE(PeekMessage().has_value());
  SetWakeupHook(nullptr);
}

TEST(TimersHookTest, WakeUpHooksRunWithoutTheTimerLock) {
  ExpectFinishesWithoutDeadlock(HookWaitingForAKillersLock);
  ExpectFinishesWithoutDeadlock(HookKillingTheTimer);
}

// Runs during exit, after the static destructors of everything created after it was
// registered: a timer set now must still tick.
void SetTimerDuringExit() {
  bool ticked = false;
  std::thread worker([&] {
    TickCounter counter;
    if (!SetTimer(counter.id(), 1, 5)) return;
    PumpUntil([&] { return counter.ticks(1) > 0; }, milliseconds(2000));
    ticked = counter.ticks(1) > 0;
    KillTimer(counter.id(), 1);
  });
  worker.join();
  _exit(ticked ? 0 : 1);
}

TEST(TimersExitTest, TimersStillServeStaticDestructorsAtExit) {
  // A fresh process, so that the timer service is created after the handler below.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        std::atexit(SetTimerDuringExit);
        TickCounter counter;
        SetTimer(counter.id(), 1, kSystemTickMs);
        KillTimer(counter.id(), 1);
        std::exit(2);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace zel::platform
