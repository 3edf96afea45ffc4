#include "tools/zelc/job_watcher.h"

#include <unistd.h>

#include <iostream>
#include <string>

namespace zel::zelc {

JobWatcher::JobWatcher(std::ostream* progressOut)
    : m_out(progressOut),
      m_target([this](const platform::Message& message) { return handle(message); }) {}

JobWatcher::~JobWatcher() {
  clearLine();
}

std::ostream* JobWatcher::TerminalProgress() {
  return ::isatty(STDERR_FILENO) ? &std::cerr : nullptr;
}

void JobWatcher::wait(const app::Job& job) {
  m_job = &job;
  app::PumpUntilDone(job);
  clearLine();
  m_job = nullptr;
}

platform::LParam JobWatcher::handle(const platform::Message& message) {
  if (m_out == nullptr || m_job == nullptr || message.wParam != m_job->id()) return 0;
  if (message.id == app::JobProgressMessage()) {
    const app::JobProgress progress = m_job->progress();
    std::string line = progress.text;
    if (progress.steps > 0) {
      line += " (" + std::to_string(progress.step) + '/' + std::to_string(progress.steps) + ')';
    }
    clearLine();
    *m_out << line << std::flush;
    m_shown = line.size();
  } else if (message.id == app::JobDoneMessage()) {
    clearLine();
  }
  return 0;
}

void JobWatcher::clearLine() {
  if (m_out == nullptr || m_shown == 0) return;
  *m_out << '\r' << std::string(m_shown, ' ') << '\r' << std::flush;
  m_shown = 0;
}

}  // namespace zel::zelc
