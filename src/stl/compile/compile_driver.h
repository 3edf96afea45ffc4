#pragma once
// Compiles one statement-list module of a project: the check, the code generation and the
// object file, reported to the message window and the module's log. The start runs on the
// caller's thread; the rest is a job (app/jobs/job.h) on a worker thread of its own, so a
// window stays responsive and hears of the end by message.

#include <atomic>
#include <filesystem>
#include <string_view>

#include "app/jobs/job.h"
#include "platform/files.h"

namespace zel::stl {

// One compilation at a time per object. Two objects may compile different modules at
// once; a module that another compilation is still writing is refused.
class Compilation {
 public:
  explicit Compilation(platform::TargetId notify = 0) : m_job(notify) {}

  // Starts compiling `moduleName` (CZ0P05V1, any case, no extension) of the project in
  // `projectDirectory`. True when the worker runs; false when the compilation already
  // ended with an error counted, or when a compilation of this object or of the same
  // module is still running (which is left alone and keeps its own count).
  bool start(const std::filesystem::path& projectDirectory, std::string_view moduleName);
  bool running() const { return m_job.running(); }
  // The errors of the last compilation; valid once running() is false.
  int errorCount() const { return m_errors.load(); }
  // Asks the worker to stop at its next step: the log says so, and neither an
  // intermediate, a cross-reference nor an object file is left.
  void cancel() { m_job.cancel(); }
  void wait() { m_job.wait(); }
  const app::Job& job() const { return m_job; }
  // An object file is flushed to the disk when it is written, unless its compilation is
  // one of many (a build) whose owner flushes once at the end: an object file lost in a
  // crash after the compilation said it was done would look current to the next Make.
  void deferObjectFlush() { m_objectDurability = platform::Durability::Deferred; }
  // Steps: 1 the checks, 2 the code generation, 3 the object file (app::Job::setStepHook).
  void setStepHook(app::Job::StepHook hook) { m_job.setStepHook(std::move(hook)); }

 private:
  std::atomic<int> m_errors{0};
  platform::Durability m_objectDurability = platform::Durability::Flushed;
  app::Job m_job;
};

// The process's own compilation, for callers that do not keep one: one at a time, as the
// build's compile step has it.
bool StartCompile(const std::filesystem::path& projectDirectory, std::string_view moduleName);
// True while the worker runs.
bool IsCompiling();
// The errors of the last compilation; valid once IsCompiling() is false.
int CompileErrorCount();
// Blocks until the worker has ended (at once when none runs). For a caller that must not
// go on, or leave, while a compilation still writes files.
void WaitForCompile();
// The job of the process's compilation, for PumpUntilDone and its messages.
const app::Job& CompileJob();

// A ladder-diagram module (file extension ".KOP", any case) is never compiled.
bool IsLadderModule(std::string_view fileName);
// What a caller reports instead of compiling a ladder module: the message window line.
// The number of errors to count (1).
int ReportLadderModule();

}  // namespace zel::stl
