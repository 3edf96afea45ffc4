// The start of a build, on the caller's thread: the project, its paths and settings, and
// the files the worker writes into.

#include <string>

#include "app/settings/controller_settings.h"
#include "build/build_messages.h"
#include "build/build_work.h"
#include "library/runtime_folder.h"
#include "platform/files.h"
#include "platform/timebase.h"

namespace zel::build {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kMakeTitle = "\r\nZEL Project Make\r\n\r\n";
constexpr std::string_view kBuildTitle = "\r\nZEL Project Build\r\n\r\n";
constexpr std::string_view kCannotInitialise = "ERROR: Cannot initialise Project Build\r\n";

// Fills the paths and settings; false when one of them is missing.
bool FillPaths(BuildWork& work) {
  const BuildRequest& request = work.request;
  work.projectDirectory =
      platform::ResolvePathNoCase(request.projectsDirectory / request.projectName);
  work.project =
      app::ProjectFile(platform::ResolvePathNoCase(work.projectDirectory / app::kProjectFileName));
  work.type = work.project.target();
  // A type that could name a folder elsewhere has no run-time library of ours.
  if (work.type.find_first_of("/\\") != std::string::npos ||
      work.type.find("..") != std::string::npos)
    work.type.clear();
  work.settings = app::ControllerSettings(work.project).read();
  work.startupDrive = ControllerDirectory(work.settings.driveStartup);
  work.projectDrive = ControllerDirectory(work.settings.driveProject);
  work.kernelDrive = ControllerDirectory(work.settings.driveKernel);
  work.runFile = platform::ResolvePathNoCase(work.projectDirectory / kRunFileName);
  work.runFileTemp = work.projectDirectory / kRunFileTempName;
  work.startupBatchPath = platform::ResolvePathNoCase(work.projectDirectory / kStartupBatchName);
  if (!work.type.empty()) {
    work.runtimeDirectory = library::RuntimeDirectory(request.programDirectory, work.type);
  }
  return !request.programDirectory.empty() && !work.type.empty() && !request.projectName.empty() &&
         !work.startupDrive.empty() && !work.projectDrive.empty() && !work.kernelDrive.empty();
}

bool OpenRunFile(BuildWork& work) {
  platform::DeleteFileAt(work.runFile);
  platform::DeleteFileAt(work.runFileTemp);
  work.runStream.open(work.runFileTemp, std::ios::binary | std::ios::trunc | std::ios::out);
  if (!work.runStream) return false;
  work.sink = std::make_unique<StreamSink>(work.runStream);
  work.writer = std::make_unique<RunFileWriter>(*work.sink, &work.log);
  return true;
}

}  // namespace

std::string BuildWork::timeText(std::int64_t t) const {
  return request.timeText ? request.timeText(t) : platform::TimeText24(t);
}

std::unique_ptr<BuildWork> PrepareBuild(const BuildRequest& request,
                                        std::function<void(std::string_view)> print,
                                        BuildCounts& failed) {
  auto work = std::make_unique<BuildWork>();
  work->request = request;
  work->log.setSink(std::move(print));
  BuildLog& log = work->log;
  const auto fail = [&](std::string_view message) -> std::unique_ptr<BuildWork> {
    log.error(message);
    failed = BuildCounts{log.errors(), log.warnings()};
    return nullptr;
  };

  log.print(request.mode == BuildMode::Make ? kMakeTitle : kBuildTitle);
  const fs::path projectFile = platform::ResolvePathNoCase(
      request.projectsDirectory / request.projectName / app::kProjectFileName);
  if (request.projectName.empty() || !platform::PathExistsNoCase(projectFile))
    return fail(kMsgNoProjectOpen);
  if (!FillPaths(*work)) return fail(kCannotInitialise);
  work->drives.add(work->startupDrive);
  work->drives.add(work->projectDrive);
  work->drives.add(work->projectDrive);  // and once for its copy
  work->drives.add(work->kernelDrive);
  if (!work->batch.create(work->startupBatchPath)) return fail(kCannotInitialise);
  log.print("Project:  " + request.projectName + ", " + work->type + ", '" +
            work->project.comment() + "'\r\n");
  work->mode = RuntimeMode{};
  work->download.set("TARGET", work->type);
  work->download.set("BOOT", "0");
  work->download.set("AUTOSTART", "0");
  // The old section goes at once: a download started while this build runs must not find
  // the last build's "MAKE".
  work->download.store(work->project);
  if (!OpenRunFile(*work)) return fail(kMsgCannotCreateRunFile);
  work->archiveFiles.push_back(work->project.path());
  work->archiveFiles.push_back(platform::ResolvePathNoCase(work->projectDirectory / "Project.TXT"));
  return work;
}

}  // namespace zel::build
