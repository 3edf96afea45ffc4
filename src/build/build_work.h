#pragma once
// The context of one build: what the start found out about the project, and what the
// worker collects as it goes. Internal to the build; the program sees project_build.h.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/jobs/job.h"
#include "app/project/project_file.h"
#include "app/settings/settings_schema.h"
#include "build/build_log.h"
#include "build/byte_sink.h"
#include "build/controller_drives.h"
#include "build/download_section.h"
#include "build/project_build.h"
#include "build/run_file_writer.h"
#include "build/runtime_mode.h"
#include "build/startup_batch.h"

namespace zel::build {

// A log whose text goes where the build stands: the start prints, the worker posts.
class ForwardingLog : public BuildLog {
 public:
  void print(std::string_view text) override {
    if (m_sink) m_sink(text);
  }
  void setSink(std::function<void(std::string_view)> sink) { m_sink = std::move(sink); }

 private:
  std::function<void(std::string_view)> m_sink;
};

struct BuildWork {
  BuildRequest request;
  ForwardingLog log;

  // Paths and values the start filled in.
  std::filesystem::path projectDirectory;
  app::ProjectFile project{std::filesystem::path{}};
  std::filesystem::path runFile;      // "Project.RUN"
  std::filesystem::path runFileTemp;  // what the worker writes
  std::filesystem::path startupBatchPath;
  std::filesystem::path runtimeDirectory;  // "RUNTIME." + type
  std::string type;
  app::ControllerSettingsValues settings;
  std::string startupDrive, projectDrive, kernelDrive;  // each ends in "\"
  UsedDrives drives;
  std::vector<std::filesystem::path> archiveFiles;

  // Files the worker writes.
  std::ofstream runStream;
  std::unique_ptr<StreamSink> sink;
  std::unique_ptr<RunFileWriter> writer;
  StartupBatch batch;
  DownloadSection download;
  RuntimeMode mode;

  std::int64_t buildTime = 0;
  std::string timeText(std::int64_t t) const;
};

// The start: every step up to the worker. nullptr when the build cannot start; the
// message is printed and counted in `log` of the work that was being prepared, which
// `failed` receives.
std::unique_ptr<BuildWork> PrepareBuild(const BuildRequest& request,
                                        std::function<void(std::string_view)> print,
                                        BuildCounts& failed);

// The worker's steps; the counts of the whole build.
BuildCounts RunBuild(BuildWork& work, app::JobControl& control);

}  // namespace zel::build
