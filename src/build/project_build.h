#pragma once
// Make and Build: turning a project into what the controller runs. The start checks the
// project and prepares its files on the caller's thread; the rest runs as a job
// (app/jobs/job.h) on a worker of its own, reporting "Module n of m" as it compiles and
// links, and stopping before the next module when it is cancelled.
//
// What a build leaves: "Project.RUN", "Startup.BAT" and the "DOWNLOAD" section of the
// project file. The run file is written under a temporary name and renamed only when the
// build had no error, and the "DOWNLOAD" section is stored in one rewrite after that, with
// "MAKE" as its last key only then: so "Project.RUN" is never seen half written, and a
// failed (or cancelled, or cut off) build leaves neither a run file nor a "MAKE" key.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/jobs/job.h"
#include "build/build_log.h"
#include "build/make_decision.h"

namespace zel::build {

inline constexpr std::string_view kRunFileName = "Project.RUN";
// The run file while a build writes it.
inline constexpr std::string_view kRunFileTempName = "Project.RUN.part";

// What a build needs of the program that starts it.
struct BuildRequest {
  BuildMode mode = BuildMode::Make;
  std::filesystem::path programDirectory;   // holds "RUNTIME." + type and the error files
  std::filesystem::path projectsDirectory;  // the folder of all projects
  std::string projectName;                  // empty: no project is open
  std::string productVersion;               // "PSE="; empty gives "UNKNOWN"
  // The build time, local bias included; platform::Now when empty.
  std::function<std::int64_t()> clock;
  // The user's name; platform::UserLoginName when empty.
  std::function<std::optional<std::string>()> userName;
  // The text form of a time in the run file and "MAKE"; platform::TimeText24 when empty.
  std::function<std::string(std::int64_t)> timeText;
  // Sounded when a driver's command fails; silent when empty.
  std::function<void()> errorTone;
  // How long a driver's command before link may run.
  std::chrono::milliseconds commandTimeLimit{120'000};
};

// Where a build's text goes. `print` serves the start on the caller's thread, `post` the
// worker; `bringForward` asks for the message window when the start fails.
struct BuildOutput {
  std::function<void(std::string_view)> print;
  std::function<void(std::string_view)> post;
  std::function<void()> bringForward;
};
// The message window: PrintMessage for the start, PostMessageText for the worker.
BuildOutput MessageWindowOutput();

// A log into the message window, for the steps that run on its thread (Clean Up, the run
// file listing); texts longer than one message travel in pieces.
class MessageWindowLog : public BuildLog {
 public:
  void print(std::string_view text) override;
};

struct BuildCounts {
  std::uint32_t errors = 0;
  std::uint32_t warnings = 0;
};

// One build at a time per program: while any Builder runs, every start is refused.
class Builder {
 public:
  // `notify` receives the job's messages (progress and done); 0 for an owner that waits.
  explicit Builder(platform::TargetId notify = 0, BuildOutput output = MessageWindowOutput());
  ~Builder();
  Builder(const Builder&) = delete;
  Builder& operator=(const Builder&) = delete;

  // Prepares the build and starts its worker. False when nothing was started (the
  // message said why, and counts() holds the one error).
  bool start(const BuildRequest& request);
  bool running() const { return m_job.running(); }
  // Stops the build before its next module; it then leaves no run file and no "MAKE".
  void cancel() { m_job.cancel(); }
  void wait() { m_job.wait(); }
  const app::Job& job() const { return m_job; }
  // The counts of the last build; final once running() is false.
  BuildCounts counts() const;
  void setStepHook(app::Job::StepHook hook) { m_job.setStepHook(std::move(hook)); }

 private:
  struct State;
  std::shared_ptr<State> m_state;
  BuildOutput m_output;
  app::Job m_job;
};

// The program's build, for callers that do not keep a Builder of their own. The
// notify target receives the job's messages.
bool StartBuild(const BuildRequest& request, platform::TargetId notify = 0);
// Whether a build runs, from any Builder of the program.
bool IsBuildRunning();
// The job of StartBuild's build (for PumpUntilDone); nullptr before the first start.
const app::Job* BuildJob();
BuildCounts LastBuildCounts();

}  // namespace zel::build
