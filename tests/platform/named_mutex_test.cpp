#include "platform/named_mutex.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

namespace zel::platform {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Whether another thread, with its own object of that name, gets the mutex at once.
bool OtherThreadGets(const std::string& name) {
  bool got = false;
  std::thread([&] {
    NamedMutex other(name);
    got = other.tryLockFor(0);
    if (got) {
      other.unlock();
    }
  }).join();
  return got;
}

TEST(NamedMutexTest, ObjectsOfOneNameExcludeEachOtherAcrossThreads) {
  constexpr int kThreads = 4;
  constexpr int kRounds = 2000;
  int counter = 0;  // deliberately unguarded but for the named mutex
  std::atomic<int> inside{0};
  std::atomic<int> overlaps{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&] {
      NamedMutex mutex("TEST_EXCLUSION_MUTEX");
      for (int i = 0; i < kRounds; ++i) {
        mutex.lock();
        if (++inside != 1) {
          ++overlaps;
        }
        ++counter;
        --inside;
        mutex.unlock();
      }
    });
  }
  for (std::thread& thread : threads) {
    thread.join();
  }
  EXPECT_EQ(overlaps, 0);
  EXPECT_EQ(counter, kThreads * kRounds);
}

TEST(NamedMutexTest, OwnerLocksRecursivelyAndReleasesAfterTheLastUnlock) {
  NamedMutex mutex("TEST_RECURSIVE_MUTEX");
  mutex.lock();
  ASSERT_TRUE(mutex.tryLockFor(0));
  NamedMutex sameName("TEST_RECURSIVE_MUTEX");
  ASSERT_TRUE(sameName.tryLockFor(0));  // ownership is the thread's, not the object's
  EXPECT_FALSE(OtherThreadGets("TEST_RECURSIVE_MUTEX"));
  sameName.unlock();
  mutex.unlock();
  EXPECT_FALSE(OtherThreadGets("TEST_RECURSIVE_MUTEX"));
  mutex.unlock();
  EXPECT_TRUE(OtherThreadGets("TEST_RECURSIVE_MUTEX"));
  mutex.unlock();  // one too many: ignored
  EXPECT_TRUE(OtherThreadGets("TEST_RECURSIVE_MUTEX"));
}

TEST(NamedMutexTest, TryLockTimesOutWhileAnotherThreadHoldsIt) {
  NamedMutex mutex("TEST_TIMEOUT_MUTEX");
  mutex.lock();
  bool got = true;
  Clock::duration waited{};
  std::thread([&] {
    NamedMutex other("TEST_TIMEOUT_MUTEX");
    const Clock::time_point start = Clock::now();
    got = other.tryLockFor(50);
    waited = Clock::now() - start;
  }).join();
  EXPECT_FALSE(got);
  EXPECT_GE(waited, milliseconds(45));
  mutex.unlock();
}

TEST(NamedMutexTest, TryLockSucceedsOnceTheHolderLetsGo) {
  NamedMutex mutex("TEST_HANDOVER_MUTEX");
  mutex.lock();
  std::atomic<bool> waiting{false};
  bool got = false;
  std::thread other([&] {
    NamedMutex mine("TEST_HANDOVER_MUTEX");
    waiting = true;
    got = mine.tryLockFor(5000);
    if (got) {
      mine.unlock();
    }
  });
  while (!waiting) {
    std::this_thread::yield();
  }
  std::this_thread::sleep_for(milliseconds(10));
  mutex.unlock();
  other.join();
  EXPECT_TRUE(got);
}

TEST(NamedMutexTest, NamesAreCaseSensitiveAndOnlyTheOwnerUnlocks) {
  NamedMutex mutex("Test_Case_Mutex");
  EXPECT_EQ(mutex.name(), "Test_Case_Mutex");
  mutex.lock();
  EXPECT_TRUE(OtherThreadGets("TEST_CASE_MUTEX"));
  std::thread([] { NamedMutex("Test_Case_Mutex").unlock(); }).join();
  EXPECT_FALSE(OtherThreadGets("Test_Case_Mutex"));
  mutex.unlock();
  EXPECT_TRUE(OtherThreadGets("Test_Case_Mutex"));
}

TEST(NamedMutexTest, StateLastsWhileAnObjectOfTheNameExists) {
  auto holder = std::make_unique<NamedMutex>("TEST_LIFETIME_MUTEX");
  auto keeper = std::make_unique<NamedMutex>("TEST_LIFETIME_MUTEX");
  holder->lock();
  holder.reset();  // the lock lives on in the shared state
  EXPECT_FALSE(OtherThreadGets("TEST_LIFETIME_MUTEX"));
  keeper.reset();  // the last object: the name starts afresh
  EXPECT_TRUE(OtherThreadGets("TEST_LIFETIME_MUTEX"));
}

}  // namespace
}  // namespace zel::platform
