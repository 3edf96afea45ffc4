#include "platform/timers.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/messages_internal.h"

namespace zel::platform {
namespace {

using Clock = std::chrono::steady_clock;

struct Timer {
  TargetId target = 0;
  std::uintptr_t id = 0;
  Clock::duration interval{};
  Clock::time_point due{};
};

// One thread serves every timer of the process. A tick is only queued when the previous
// one has been taken, as with the original window timers, so a busy thread finds one
// tick waiting, not a backlog.
class TimerService {
 public:
  TimerService() : m_thread([this] { run(); }) {}
  TimerService(const TimerService&) = delete;
  TimerService& operator=(const TimerService&) = delete;

  void set(TargetId target, std::uintptr_t id, unsigned intervalMs);
  bool kill(TargetId target, std::uintptr_t id);

 private:
  [[noreturn]] void run();
  std::vector<Timer> takeDueLocked(Clock::time_point now);
  std::vector<detail::WakeUp> deliver(const std::vector<Timer>& due);
  std::vector<Timer>::iterator findLocked(TargetId target, std::uintptr_t id);

  std::mutex m_mutex;  // the timer list
  std::condition_variable m_changed;
  // Held while ticks are chosen and posted, so a kill that returns leaves no tick
  // behind. Never held while a wake-up hook runs: a hook may take a lock whose holder
  // is waiting in KillTimer for this one.
  std::mutex m_posting;
  std::vector<Timer> m_timers;
  std::thread m_thread;  // last: started once everything above exists
};

// Started on first use and never destroyed, like the queues it posts to: a static object
// or a worker may still set or kill a timer while the process runs its static
// destructors. The thread ends with the process.
TimerService& Service() {
  static TimerService& service = *new TimerService;
  return service;
}

// Null when the system has no thread to give; the next call tries again.
TimerService* ServiceOrNull() {
  try {
    return &Service();
  } catch (const std::system_error&) {
    return nullptr;
  }
}

std::vector<Timer>::iterator TimerService::findLocked(TargetId target, std::uintptr_t id) {
  return std::find_if(m_timers.begin(), m_timers.end(),
                      [&](const Timer& timer) { return timer.target == target && timer.id == id; });
}

void TimerService::set(TargetId target, std::uintptr_t id, unsigned intervalMs) {
  const Clock::duration interval = std::chrono::milliseconds(intervalMs);
  {
    std::lock_guard lock(m_mutex);
    auto it = findLocked(target, id);
    if (it == m_timers.end()) {
      it = m_timers.insert(m_timers.end(), Timer{target, id, interval, {}});
    }
    it->interval = interval;
    it->due = Clock::now() + interval;
  }
  m_changed.notify_all();
}

bool TimerService::kill(TargetId target, std::uintptr_t id) {
  std::lock_guard posting(m_posting);
  {
    std::lock_guard lock(m_mutex);
    auto it = findLocked(target, id);
    if (it == m_timers.end()) {
      return false;
    }
    m_timers.erase(it);
  }
  detail::RemovePending(target, kTimerMessage, id);
  return true;
}

// The caller holds m_mutex. A thread that fell behind skips the missed ticks instead of
// firing them in a burst.
std::vector<Timer> TimerService::takeDueLocked(Clock::time_point now) {
  std::vector<Timer> due;
  for (Timer& timer : m_timers) {
    if (timer.due <= now) {
      due.push_back(timer);
      timer.due += timer.interval;
      if (timer.due <= now) {
        timer.due = now + timer.interval;
      }
    }
  }
  return due;
}

// The caller holds m_posting but not m_mutex, and calls the wake-ups returned once it
// has released m_posting.
std::vector<detail::WakeUp> TimerService::deliver(const std::vector<Timer>& due) {
  std::vector<detail::WakeUp> wakeUps;
  for (const Timer& timer : due) {
    detail::WakeUp wakeUp;
    switch (detail::PostUnlessPending(timer.target, kTimerMessage, timer.id, 0, wakeUp)) {
      case detail::PostOutcome::Posted:
        // One wake-up per thread is enough: its pump takes every tick waiting.
        if (wakeUp && std::find(wakeUps.begin(), wakeUps.end(), wakeUp) == wakeUps.end()) {
          wakeUps.push_back(std::move(wakeUp));
        }
        break;
      case detail::PostOutcome::NoTarget: {
        std::lock_guard lock(m_mutex);
        std::erase_if(m_timers, [&](const Timer& t) { return t.target == timer.target; });
        break;
      }
      case detail::PostOutcome::AlreadyPending:
      case detail::PostOutcome::QueueFull:
        break;
    }
  }
  return wakeUps;
}

void TimerService::run() {
  std::unique_lock lock(m_mutex);
  for (;;) {
    if (m_timers.empty()) {
      m_changed.wait(lock);
      continue;
    }
    // A copy: the list may change while the wait has the lock released.
    const Clock::time_point next =
        std::min_element(m_timers.begin(), m_timers.end(), [](const Timer& a, const Timer& b) {
          return a.due < b.due;
        })->due;
    if (m_changed.wait_until(lock, next) == std::cv_status::no_timeout) {
      continue;  // the list changed: look again
    }
    lock.unlock();
    std::vector<detail::WakeUp> wakeUps;
    {
      std::lock_guard posting(m_posting);
      std::vector<Timer> due;
      {
        std::lock_guard relock(m_mutex);
        due = takeDueLocked(Clock::now());
      }
      wakeUps = deliver(due);
    }
    for (const detail::WakeUp& wakeUp : wakeUps) {
      detail::CallWakeUp(wakeUp);
    }
    lock.lock();
  }
}

}  // namespace

bool SetTimer(TargetId target, std::uintptr_t timerId, unsigned intervalMs) {
  if (intervalMs == 0 || !TargetExists(target)) {
    return false;
  }
  TimerService* service = ServiceOrNull();
  if (service == nullptr) {
    return false;
  }
  service->set(target, timerId, intervalMs);
  return true;
}

bool KillTimer(TargetId target, std::uintptr_t timerId) {
  TimerService* service = ServiceOrNull();
  return service != nullptr && service->kill(target, timerId);
}

}  // namespace zel::platform
