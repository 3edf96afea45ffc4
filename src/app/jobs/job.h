#pragma once
// Long work (compile, make and build, download, update, file transfer, archives, the online
// polls) runs as a Job: its work function runs on a worker thread of its own, reports
// progress and its end as registered messages to a target of the owner's thread, can be
// asked to stop at its next step, and the object that owns it waits for it when it goes.
//
// The messages carry numbers only; the texts and counts stay in the job, where the owner
// reads them when a message arrives (the owner's thread is the only one that both holds
// the job and receives its messages, so nothing travels that could outlive its reader):
//   "ZEL4JobProgressMsg"  wParam job id, lParam (step << 16) | steps   -> progress()
//   "ZEL4JobDoneMsg"      wParam job id, lParam JobResult              -> outcome()
// A front end shows progress() in its status bar and enables its commands on the done
// message; a program without an event loop pumps its queue until that message arrives
// (PumpUntilDone).

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "platform/messages.h"

namespace zel::app {

inline constexpr std::string_view kJobProgressMessageName = "ZEL4JobProgressMsg";
inline constexpr std::string_view kJobDoneMessageName = "ZEL4JobDoneMsg";
platform::MessageId JobProgressMessage();
platform::MessageId JobDoneMessage();

using JobId = std::uint32_t;

enum class JobResult { Succeeded = 0, Failed = 1, Cancelled = 2 };

struct JobProgress {
  std::string text;
  int step = 0;   // 1-based; 0 before the first step
  int steps = 0;  // 0 when the number of steps is not known
};

struct JobOutcome {
  JobResult result = JobResult::Failed;
  int errors = 0;
  int warnings = 0;
};

// What a job's work sees of its job.
class JobControl {
 public:
  virtual ~JobControl() = default;
  // True once the owner asked the job to stop; the work stops at its next step and leaves
  // nothing half-written behind.
  virtual bool cancelRequested() const = 0;
  // Step `step` of `steps` begins; posts "ZEL4JobProgressMsg".
  virtual void progress(std::string text, int step, int steps) = 0;
};

class Job : private JobControl {
 public:
  using Work = std::function<JobOutcome(JobControl&)>;

  // `notify` is the target that receives the job's messages; 0 for an owner that only
  // waits (wait(), running()).
  explicit Job(platform::TargetId notify = 0);
  ~Job() override;  // waits for the worker
  Job(const Job&) = delete;
  Job& operator=(const Job&) = delete;

  // Runs `work` on a new worker thread with a new id. False, with nothing posted, when this
  // job still runs, or when no thread could be started (outcome() then says Failed with
  // one error, and the caller reports it: the work never began).
  bool start(Work work);
  void cancel();  // asks the work to stop at its next step; no effect once it has ended
  bool running() const { return m_running.load(); }
  // Blocks until the worker has ended (at once when none runs).
  void wait();

  JobId id() const { return m_id.load(); }
  platform::TargetId notifyTarget() const { return m_notify; }
  JobProgress progress() const;
  // The outcome of the last run; nullopt before the first one has ended.
  std::optional<JobOutcome> outcome() const;

  // Called on the worker as each step begins, before its message is posted; set it while
  // the job is not running. It lets a test hold a job at a known step instead of hoping
  // that a large input keeps the worker busy long enough.
  using StepHook = std::function<void(const JobProgress&)>;
  void setStepHook(StepHook hook) { m_stepHook = std::move(hook); }

 private:
  bool cancelRequested() const override { return m_cancel.load(); }
  void progress(std::string text, int step, int steps) override;
  void run(Work& work) noexcept;
  void post(platform::MessageId message, platform::LParam value) const;

  const platform::TargetId m_notify;
  StepHook m_stepHook;
  std::atomic<JobId> m_id{0};
  std::atomic<bool> m_running{false};
  std::atomic<bool> m_cancel{false};
  mutable std::mutex m_lock;  // guards m_progress and m_outcome
  JobProgress m_progress;
  std::optional<JobOutcome> m_outcome;
  std::mutex m_threadLock;  // one start or wait at a time; guards m_worker
  std::thread m_worker;
};

// Dispatches the calling thread's messages until `job` is no longer running and its done
// message (when it has a target) has been delivered, or `timeoutMs` has passed (negative:
// no limit). False on time-out. For programs and tests without an event loop; a thread
// message arriving meanwhile has no handler here and is dropped (jobs and their owners
// talk through targets).
bool PumpUntilDone(const Job& job, int timeoutMs = -1);

}  // namespace zel::app
