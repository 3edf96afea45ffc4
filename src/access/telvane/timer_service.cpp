#include "access/telvane/timer_service.h"

#include <mutex>
#include <vector>

#include "platform/timers.h"

namespace zel::telvane {

TimerService::TimerService() = default;

TimerService::~TimerService() {
  stop();
}

void TimerService::start() {
  std::lock_guard lock(m_mutex);
  if (m_thread.joinable()) return;
  m_thread = std::jthread([this](std::stop_token stop) { run(stop); });
}

void TimerService::stop() {
  std::jthread thread;
  {
    std::lock_guard lock(m_mutex);
    thread = std::move(m_thread);
    m_timers.clear();
  }
  if (thread.joinable()) {
    thread.request_stop();
    m_wake.notify_all();
    thread.join();
  }
}

void TimerService::set(std::uintptr_t id, int intervalMs, std::function<void()> callback) {
  std::lock_guard lock(m_mutex);
  m_timers[id] = Entry{Clock::now() + std::chrono::milliseconds(intervalMs), std::move(callback)};
}

void TimerService::cancel(std::uintptr_t id) {
  std::lock_guard lock(m_mutex);
  m_timers.erase(id);
}

bool TimerService::running(std::uintptr_t id) {
  std::lock_guard lock(m_mutex);
  return m_timers.contains(id);
}

void TimerService::run(std::stop_token stop) {
  const auto tick = std::chrono::milliseconds(platform::kSystemTickMs);
  std::unique_lock lock(m_mutex);
  while (!stop.stop_requested()) {
    m_wake.wait_for(lock, stop, tick, [] { return false; });
    if (stop.stop_requested()) break;
    std::vector<std::function<void()>> due;
    const auto now = Clock::now();
    for (auto it = m_timers.begin(); it != m_timers.end();) {
      if (it->second.deadline <= now) {
        due.push_back(std::move(it->second.callback));
        it = m_timers.erase(it);
      } else {
        ++it;
      }
    }
    lock.unlock();
    for (auto& callback : due) callback();
    lock.lock();
  }
}

}  // namespace zel::telvane
