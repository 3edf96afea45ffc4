// The build as a job: the start on the caller's thread, the worker on the job's, one build
// per program at a time.

#include <atomic>
#include <cstdarg>
#include <mutex>

#include "app/shell/message_service.h"
#include "build/build_work.h"
#include "build/project_build.h"

namespace zel::build {
namespace {

// Claimed by the Builder whose build runs; every other start is refused meanwhile.
std::atomic<bool> g_buildClaimed{false};

// PostMessageText carries a limited number of characters per post; longer texts (long
// paths) travel in pieces instead of being cut.
void PostInPieces(std::string_view text) {
  while (!text.empty()) {
    const std::string_view piece = text.substr(0, app::kPostedTextMax);
    app::PostMessageText("%.*s", static_cast<int>(piece.size()), piece.data());
    text.remove_prefix(piece.size());
  }
}

void PrintInPieces(std::string_view text) {
  while (!text.empty()) {
    const std::string_view piece = text.substr(0, app::kPrintMessageMax);
    app::PrintMessage("%.*s", static_cast<int>(piece.size()), piece.data());
    text.remove_prefix(piece.size());
  }
}

}  // namespace

BuildOutput MessageWindowOutput() {
  return BuildOutput{PrintInPieces, PostInPieces, [] { app::ShowMessageWindow(true); }};
}

void MessageWindowLog::print(std::string_view text) {
  PrintInPieces(text);
}

struct Builder::State {
  std::atomic<std::uint32_t> errors{0};
  std::atomic<std::uint32_t> warnings{0};
  void set(BuildCounts counts) {
    errors.store(counts.errors);
    warnings.store(counts.warnings);
  }
};

Builder::Builder(platform::TargetId notify, BuildOutput output)
    : m_state(std::make_shared<State>()), m_output(std::move(output)), m_job(notify) {}

Builder::~Builder() {
  m_job.wait();
}

BuildCounts Builder::counts() const {
  return BuildCounts{m_state->errors.load(), m_state->warnings.load()};
}

bool Builder::start(const BuildRequest& request) {
  bool expected = false;
  if (!g_buildClaimed.compare_exchange_strong(expected, true)) return false;
  // The last build of this Builder frees the claim as its very last step; its worker may
  // still be returning.
  m_job.wait();
  m_state->set({});
  BuildCounts failed;
  std::shared_ptr<BuildWork> work;
  try {
    work = PrepareBuild(request, m_output.print, failed);
  } catch (...) {
    // Out of memory or the like: the claim must not outlive the start.
    failed = BuildCounts{1, 0};
  }
  if (!work) {
    m_state->set(failed);
    if (m_output.bringForward) m_output.bringForward();
    g_buildClaimed.store(false);
    return false;
  }
  work->log.setSink(m_output.post);
  const auto print = m_output.print;
  const bool started = m_job.start([work, state = m_state](app::JobControl& control) {
    const BuildCounts counts = RunBuild(*work, control);
    state->set(counts);
    // Another build may start from here on; the job shows as ended right after.
    g_buildClaimed.store(false);
    const bool cancelled = control.cancelRequested();
    return app::JobOutcome{cancelled           ? app::JobResult::Cancelled
                           : counts.errors > 0 ? app::JobResult::Failed
                                               : app::JobResult::Succeeded,
                           static_cast<int>(counts.errors), static_cast<int>(counts.warnings)};
  });
  if (!started) {
    work->log.setSink(print);
    work->log.error("ERROR: Could not start building the project\r\n");
    work->runStream.close();
    m_state->set({work->log.errors(), work->log.warnings()});
    if (m_output.bringForward) m_output.bringForward();
    g_buildClaimed.store(false);
  }
  return started;
}

namespace {

std::mutex g_programBuildLock;
std::unique_ptr<Builder> g_programBuild;

}  // namespace

bool StartBuild(const BuildRequest& request, platform::TargetId notify) {
  std::lock_guard guard(g_programBuildLock);
  if (g_buildClaimed.load()) return false;
  // The job's messages go to the target named with this start.
  if (!g_programBuild || g_programBuild->job().notifyTarget() != notify) {
    if (g_programBuild) g_programBuild->wait();
    g_programBuild = std::make_unique<Builder>(notify);
  }
  return g_programBuild->start(request);
}

bool IsBuildRunning() {
  return g_buildClaimed.load();
}

const app::Job* BuildJob() {
  std::lock_guard guard(g_programBuildLock);
  return g_programBuild ? &g_programBuild->job() : nullptr;
}

BuildCounts LastBuildCounts() {
  std::lock_guard guard(g_programBuildLock);
  return g_programBuild ? g_programBuild->counts() : BuildCounts{};
}

}  // namespace zel::build
