#include "build/archive_job.h"

#include <utility>

#include "archive/project_restore.h"
#include "build/project_build.h"

namespace zel::build {

ArchiveJob::~ArchiveJob() {
  m_job.cancel();
  m_job.wait();
}

bool ArchiveJob::start(std::function<bool(const archive::ArchiveReport&)> work) {
  if (m_job.running()) return false;
  {
    std::lock_guard guard(m_lock);
    m_alerts.clear();
    m_raise = false;
  }
  return m_job.start([this, work = std::move(work)](app::JobControl& control) {
    archive::ArchiveReport report;
    report.print = MessageWindowOutput().post;  // long paths travel in pieces
    report.alert = [this](std::string_view text) {
      std::lock_guard guard(m_lock);
      m_alerts.emplace_back(text);
    };
    report.raise = [this] {
      std::lock_guard guard(m_lock);
      m_raise = true;
    };
    report.progress = [&control](std::string_view name, int step, int steps) {
      control.progress(std::string(name), step, steps);
    };
    report.cancelled = [&control] { return control.cancelRequested(); };
    const bool made = work(report);
    app::JobOutcome outcome;
    outcome.result = made                        ? app::JobResult::Succeeded
                     : control.cancelRequested() ? app::JobResult::Cancelled
                                                 : app::JobResult::Failed;
    outcome.errors = made ? 0 : 1;
    return outcome;
  });
}

bool ArchiveJob::startBackup(BackupRequest request) {
  return start([request = std::move(request)](const archive::ArchiveReport& report) {
    return BackupProject(request, report);
  });
}

bool ArchiveJob::startRestore(std::filesystem::path projectsDirectory, std::string name,
                              std::filesystem::path zipPath) {
  return start([=](const archive::ArchiveReport& report) {
    return archive::RestoreProject(projectsDirectory, name, zipPath, report);
  });
}

bool ArchiveJob::succeeded() const {
  const auto outcome = m_job.outcome();
  return outcome && outcome->result == app::JobResult::Succeeded;
}

std::vector<std::string> ArchiveJob::takeAlerts() {
  std::lock_guard guard(m_lock);
  return std::exchange(m_alerts, {});
}

bool ArchiveJob::takeRaise() {
  std::lock_guard guard(m_lock);
  return std::exchange(m_raise, false);
}

}  // namespace zel::build
