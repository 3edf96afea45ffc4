#pragma once
// One-shot timers served by a thread that wakes every system tick (55 ms): what the library
// needs for its command time-outs, accurate to the tick. Deadlines are taken on a monotonic
// clock, so a stalled program or a changed wall clock never stretches or shortens a
// time-out.
//
// Callbacks run on the service's thread without its lock held: a callback may start and
// cancel timers. A timer cancelled while its callback is already on its way may still fire
// once; the callback must check under its own lock whether it still means anything.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <thread>

#include "platform/named_mutex.h"

namespace zel::telvane {

class TimerService {
 public:
  using Clock = std::chrono::steady_clock;
  TimerService();
  ~TimerService();  // stops the thread
  TimerService(const TimerService&) = delete;
  TimerService& operator=(const TimerService&) = delete;

  void start();  // the tick thread; idempotent
  void stop();   // joins it and forgets every timer
  // Starting a running timer restarts it.
  void set(std::uintptr_t id, int intervalMs, std::function<void()> callback);
  void cancel(std::uintptr_t id);
  bool running(std::uintptr_t id);

 private:
  struct Entry {
    Clock::time_point deadline;
    std::function<void()> callback;
  };
  void run(std::stop_token stop);

  platform::NamedMutex m_mutex{"ZELKZCDTimerMutex"};
  std::condition_variable_any m_wake;
  std::map<std::uintptr_t, Entry> m_timers;
  std::jthread m_thread;
};

}  // namespace zel::telvane
