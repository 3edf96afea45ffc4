#pragma once
// Holds a job's worker at one step: the test waits until the worker has reached it, does
// what must happen while the job is known to be running there, and then lets it go.

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace zel::test {

class StepGate {
 public:
  explicit StepGate(int step) : m_step(step) {}
  ~StepGate() { release(); }  // a failed test never leaves a worker hanging

  // For app::Job::setStepHook: blocks the worker at the gate's step until release().
  void atStep(int step) {
    if (step != m_step) return;
    std::unique_lock lock(m_mutex);
    m_reached = true;
    m_changed.notify_all();
    m_changed.wait(lock, [this] { return m_released; });
  }
  // False when the worker did not get there within `timeoutMs`.
  bool waitUntilReached(int timeoutMs = 10000) {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [this] { return m_reached; });
  }
  void release() {
    std::lock_guard lock(m_mutex);
    m_released = true;
    m_changed.notify_all();
  }

 private:
  const int m_step;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  bool m_reached = false;
  bool m_released = false;
};

}  // namespace zel::test
