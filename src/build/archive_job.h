#pragma once
// Backup and restore as the program's jobs: the work runs on a worker thread, its message
// window text is posted as it goes and each entry is a step of its progress. Error boxes
// and the request to bring the message window forward belong to the thread of the windows,
// so they are kept and handed to the owner when the job has ended.

#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "app/jobs/job.h"
#include "build/project_backup.h"

namespace zel::build {

class ArchiveJob {
 public:
  // `notify` receives the job's messages (progress and done).
  explicit ArchiveJob(platform::TargetId notify = 0) : m_job(notify) {}
  // The worker reports into this object: it is stopped and waited for first.
  ~ArchiveJob();
  ArchiveJob(const ArchiveJob&) = delete;
  ArchiveJob& operator=(const ArchiveJob&) = delete;

  // False when a job of this object still runs or no worker could be started.
  bool startBackup(BackupRequest request);
  bool startRestore(std::filesystem::path projectsDirectory, std::string name,
                    std::filesystem::path zipPath);

  app::Job& job() { return m_job; }
  const app::Job& job() const { return m_job; }
  bool running() const { return m_job.running(); }
  void wait() { m_job.wait(); }
  bool succeeded() const;  // the last job made its archive or project whole

  // What the last job left for the owner's thread; each taken once.
  std::vector<std::string> takeAlerts();
  bool takeRaise();

 private:
  bool start(std::function<bool(const archive::ArchiveReport&)> work);

  app::Job m_job;
  mutable std::mutex m_lock;  // guards the two below
  std::vector<std::string> m_alerts;
  bool m_raise = false;
};

}  // namespace zel::build
