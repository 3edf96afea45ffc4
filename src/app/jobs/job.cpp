#include "app/jobs/job.h"

#include <chrono>
#include <exception>

namespace zel::app {

namespace {

constexpr int kPumpSliceMs = 25;

JobId NextJobId() {
  static std::atomic<JobId> last{0};
  JobId id = ++last;
  if (id == 0) id = ++last;  // 0 stays "no job" after a wrap
  return id;
}

platform::LParam PackSteps(int step, int steps) {
  const auto clamp = [](int v) { return static_cast<platform::LParam>(v < 0 ? 0 : v & 0xFFFF); };
  return (clamp(step) << 16) | clamp(steps);
}

}  // namespace

platform::MessageId JobProgressMessage() {
  static const platform::MessageId id = platform::RegisterMessage(kJobProgressMessageName);
  return id;
}

platform::MessageId JobDoneMessage() {
  static const platform::MessageId id = platform::RegisterMessage(kJobDoneMessageName);
  return id;
}

Job::Job(platform::TargetId notify) : m_notify(notify) {}

Job::~Job() {
  wait();
}

bool Job::start(Work work) {
  std::lock_guard guard(m_threadLock);
  if (m_running.load()) return false;
  if (m_worker.joinable()) m_worker.join();
  {
    std::lock_guard state(m_lock);
    m_progress = {};
    m_outcome.reset();
  }
  m_cancel.store(false);
  m_id.store(NextJobId());
  m_running.store(true);
  try {
    m_worker = std::thread([this, work = std::move(work)]() mutable { run(work); });
    return true;
  } catch (const std::exception&) {
    std::lock_guard state(m_lock);
    m_outcome = JobOutcome{JobResult::Failed, 1, 0};
    m_running.store(false);
    return false;
  }
}

void Job::cancel() {
  if (m_running.load()) m_cancel.store(true);
}

void Job::wait() {
  std::lock_guard guard(m_threadLock);
  if (m_worker.joinable()) m_worker.join();
}

JobProgress Job::progress() const {
  std::lock_guard guard(m_lock);
  return m_progress;
}

std::optional<JobOutcome> Job::outcome() const {
  std::lock_guard guard(m_lock);
  return m_outcome;
}

void Job::progress(std::string text, int step, int steps) {
  JobProgress now{std::move(text), step, steps};
  if (m_stepHook) m_stepHook(now);
  {
    std::lock_guard guard(m_lock);
    m_progress = std::move(now);
  }
  // A full queue loses a progress step, never the job: the latest state stays readable.
  post(JobProgressMessage(), PackSteps(step, steps));
}

void Job::run(Work& work) noexcept {
  JobOutcome outcome;
  try {
    outcome = work(*this);
  } catch (...) {
    // The work reports its own failures; one that escapes still ends the job as failed
    // instead of ending the program.
    outcome = JobOutcome{JobResult::Failed, 1, 0};
  }
  {
    std::lock_guard guard(m_lock);
    m_outcome = outcome;
  }
  // The outcome is readable before anyone can see the job as ended or get its message.
  m_running.store(false);
  post(JobDoneMessage(), static_cast<platform::LParam>(outcome.result));
}

void Job::post(platform::MessageId message, platform::LParam value) const {
  if (m_notify != 0) platform::PostMessageTo(m_notify, message, m_id.load(), value);
}

bool PumpUntilDone(const Job& job, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  const bool owned = job.notifyTarget() != 0 &&
                     platform::TargetThread(job.notifyTarget()) == platform::CurrentThreadId();
  bool done = false;
  const auto deliver = [&](const platform::Message& message) {
    if (message.id == JobDoneMessage() && message.wParam == job.id()) done = true;
    platform::DispatchMessage(message);
  };
  while (true) {
    // Lines the work posted before its end are queued ahead of its done message.
    while (const auto message = platform::PeekMessage()) deliver(*message);
    if (!job.running() && (done || !owned)) {
      // Without a done message to wait for, what the work posted just before it ended may
      // have arrived after the drain above; it is all queued once the job shows as ended.
      while (const auto message = platform::PeekMessage()) deliver(*message);
      return true;
    }
    if (timeoutMs >= 0 && std::chrono::steady_clock::now() >= deadline) return false;
    if (const auto message = platform::GetMessageWithTimeout(kPumpSliceMs)) deliver(*message);
  }
}

}  // namespace zel::app
